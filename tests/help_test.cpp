#include "paged_pdf.h"

#include <QAbstractTextDocumentLayout>
#include <QByteArray>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QUrl>

#include <gtest/gtest.h>

#include <cmath>

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

// Pages of 300 layout pixels. The filler picture takes the top of the first page; the heading
// follows, then a picture 120 pixels high that the heading heads.
struct Paged {
    QTextDocument doc;

    Paged(int filler, int picture)
    {
        doc.addResource(QTextDocument::ImageResource, QUrl("filler"), QImage(40, filler, QImage::Format_RGB32));
        doc.addResource(QTextDocument::ImageResource, QUrl("picture"), QImage(40, picture, QImage::Format_RGB32));
        doc.setHtml(QString("<p><img src=\"filler\" width=\"40\" height=\"%1\"></p><h3>Heading</h3>"
                            "<p><img src=\"picture\" width=\"40\" height=\"%2\"></p>")
                        .arg(filler)
                        .arg(picture));
        doc.setDocumentMargin(0);
        doc.setPageSize(QSizeF(400, 300));
    }
    int PageOf(int blockNumber) const
    {
        const QTextBlock block = doc.findBlockByNumber(blockNumber);
        const QRectF box = doc.documentLayout()->blockBoundingRect(block);
        const qreal firstLineBottom = box.top() - block.layout()->boundingRect().top() +
                                      block.layout()->lineAt(0).rect().bottom();
        return static_cast<int>(std::floor((firstLineBottom - 0.5) / 300));
    }
};

TEST(HelpDocuments, AHeadingStaysOnThePageOfWhatItHeads)
{
    const struct {
        const char *name;
        int filler, picture;
        int headingPage, picturePage;
    } cases[] = {
        {"room for both", 40, 120, 0, 0},
        {"room for the heading only", 200, 120, 1, 1},
        {"no room for the heading either", 290, 120, 1, 1},
        // A picture taller than a page, under a heading that opens a page: no page is left blank.
        {"already first on its page", 300, 350, 1, 2},
    };
    for (const auto &c : cases) {
        Paged paged(c.filler, c.picture);
        KeepHeadingsWithWhatFollows(paged.doc);
        EXPECT_EQ(paged.PageOf(1), c.headingPage) << c.name;
        EXPECT_EQ(paged.PageOf(2), c.picturePage) << c.name;
    }
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
