#include <QByteArray>
#include <QFile>

#include <gtest/gtest.h>

namespace {

QByteArray Pdf(const char *name)
{
    QFile f(QString(VELMAR_HELP_DIR) + "/" + name);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name;
    return f.readAll();
}

int Images(const QByteArray &pdf)
{
    return pdf.count("/Subtype /Image");
}

TEST(HelpDocuments, TheBuildWritesBothPdfsAndTheManualCarriesItsScreenshots)
{
    const QByteArray manual = Pdf("Velmar UAS User Manual.pdf");
    const QByteArray disclaimer = Pdf("Velmar UAS Disclaimer.pdf");
    EXPECT_TRUE(manual.startsWith("%PDF-"));
    EXPECT_TRUE(disclaimer.startsWith("%PDF-"));
    EXPECT_TRUE(manual.trimmed().endsWith("%%EOF"));
    // The main window, every message window, the settings pages and the about box.
    EXPECT_GE(Images(manual), 15);
    EXPECT_GE(manual.count("/Type /Page") - manual.count("/Type /Pages"), 4);
    EXPECT_GT(disclaimer.size(), 1000);
}

} // namespace
