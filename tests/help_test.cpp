// The Help documents: the build writes them, the Help menu finds them in the current directory
// or installed with the program, and says so when it cannot open them.
#include "install_paths.h"
#include "mainfrm.h"
#include "paged_pdf.h"
#include "support/fake_clock.h"
#include "support/scripted_ui.h"
#include "support/temp_cwd.h"

#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QApplication>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
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

// An empty current directory and an installation of its own: <root>/bin beside
// <root>/share/doc/velmar-userapp and <root>/share/velmar-userapp.
class HelpMenu : public ::testing::Test {
protected:
    TempCwd cwd;
    QTemporaryDir root;
    ScriptedUi ui;
    FakeClock clock;
    std::unique_ptr<TMainFrm> frm;

    void SetUp() override
    {
        SetInstallRoot(root.path());
        frm = std::make_unique<TMainFrm>(ui, clock);
    }
    void TearDown() override { SetInstallRoot({}); }
    QString Installed(const QString &folder, const QString &name) const
    {
        return root.path() + "/" + folder + "/" + name;
    }
    static void Touch(const QString &path)
    {
        QDir().mkpath(QFileInfo(path).path());
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << qPrintable(path);
        f.write("%PDF-1.4\n");
    }
    void Choose(const char *item) { frm->findChild<QAction *>(item)->trigger(); }
};

TEST_F(HelpMenu, ADocumentIsTakenFromTheCurrentDirectoryFirstThenFromTheInstallation)
{
    struct Case {
        const char *item, *file;
        bool inCwd, installed, openerTakesIt;
        const char *opened; // "cwd", "installed" or "" for nothing
        const char *message; // the start of the message box's text, "" for none
    } const cases[] = {
        {"UASUserManual1", "Velmar UAS User Manual.pdf", true, true, true, "cwd", ""},
        {"UASUserManual1", "Velmar UAS User Manual.pdf", false, true, true, "installed", ""},
        {"UASUserManual1", "Velmar UAS User Manual.pdf", true, false, true, "cwd", ""},
        {"UASUserManual1", "Velmar UAS User Manual.pdf", false, false, true, "", "The help document"},
        {"UASUserManual1", "Velmar UAS User Manual.pdf", false, true, false, "installed", "No program could open"},
        {"VelmarUASDisclaimer1", "Velmar UAS Disclaimer.pdf", true, true, true, "cwd", ""},
        {"VelmarUASDisclaimer1", "Velmar UAS Disclaimer.pdf", false, true, true, "installed", ""},
        {"VelmarUASDisclaimer1", "Velmar UAS Disclaimer.pdf", false, false, true, "", "The help document"},
        {"VelmarUASDisclaimer1", "Velmar UAS Disclaimer.pdf", true, false, false, "cwd", "No program could open"},
    };
    for (const Case &c : cases) {
        const QString inCwd = QDir::current().absoluteFilePath(c.file);
        const QString installed = Installed("share/doc/velmar-userapp", c.file);
        QFile::remove(inCwd);
        QFile::remove(installed);
        if (c.inCwd)
            Touch(inCwd);
        if (c.installed)
            Touch(installed);
        ui.opened.clear();
        ui.messages.clear();
        ui.openerTakesThem = c.openerTakesIt;
        const QString where = QString("%1, in cwd %2, installed %3").arg(c.item).arg(c.inCwd).arg(c.installed);

        Choose(c.item);

        const QString expected = QString(c.opened) == "cwd" ? inCwd : QString(c.opened) == "installed" ? installed : "";
        if (expected.isEmpty()) {
            EXPECT_TRUE(ui.opened.isEmpty()) << qPrintable(where);
        } else {
            ASSERT_EQ(ui.opened.size(), 1) << qPrintable(where);
            EXPECT_EQ(ui.opened[0].toLocalFile(), expected) << qPrintable(where);
        }
        if (*c.message == '\0') {
            EXPECT_TRUE(ui.messages.isEmpty()) << qPrintable(where + ": " + ui.messages.join("|"));
            continue;
        }
        ASSERT_EQ(ui.messages.size(), 1) << qPrintable(where);
        const QString &text = ui.messages[0];
        EXPECT_TRUE(text.startsWith(c.message)) << qPrintable(where + ": " + text);
        if (expected.isEmpty()) { // not found: both places it was looked for are named
            EXPECT_TRUE(text.contains(inCwd)) << qPrintable(text);
            EXPECT_TRUE(text.contains(installed)) << qPrintable(text);
        } else { // found but nothing opened it: the file is named, and what would open it
            EXPECT_TRUE(text.contains(expected)) << qPrintable(text);
            EXPECT_TRUE(text.contains("PDF viewer")) << qPrintable(text);
        }
    }
}

TEST_F(HelpMenu, AWebPageNobodyCouldOpenIsNamedInAMessage)
{
    const struct {
        const char *item, *address;
    } pages[] = {{"Velmaronline1", "https://velmar.example.org/"}, {"KnowmoreonORVAN1", "https://orvan.example.org/"}};
    for (const auto &page : pages)
        for (const bool takesIt : {true, false}) {
            ui.opened.clear();
            ui.messages.clear();
            ui.openerTakesThem = takesIt;
            Choose(page.item);
            ASSERT_EQ(ui.opened.size(), 1) << page.item;
            EXPECT_EQ(ui.opened[0], QUrl(page.address));
            if (takesIt) {
                EXPECT_TRUE(ui.messages.isEmpty()) << page.item;
            } else {
                ASSERT_EQ(ui.messages.size(), 1) << page.item;
                EXPECT_TRUE(ui.messages[0].startsWith(QString("No program could open ") + page.address))
                    << qPrintable(ui.messages[0]);
                EXPECT_TRUE(ui.messages[0].contains("web browser")) << qPrintable(ui.messages[0]);
            }
        }
}

TEST_F(HelpMenu, AnOpenerThatGivesUpAfterTheWindowIsGoneIsNotAnswered)
{
    std::function<void(bool)> later;
    struct LateUi final : UiSeam {
        std::function<void(bool)> *later;
        QStringList messages;
        int Exec(QDialog &) override { return 0; }
        void MessageBox(QWidget *, const QString &text) override { messages << text; }
        void ErrorReport(QWidget *, const QString &) override {}
        void OpenDocument(const QUrl &, std::function<void(bool)> done) override { *later = std::move(done); }
    } lateUi;
    lateUi.later = &later;
    Touch(QDir::current().absoluteFilePath("Velmar UAS User Manual.pdf"));
    auto window = std::make_unique<TMainFrm>(lateUi, clock);
    window->UASUserManual1Click();
    ASSERT_TRUE(later);
    window.reset();
    later(false); // the opener gives up after the window closed: nothing to show it on
    EXPECT_TRUE(lateUi.messages.isEmpty());
}

TEST_F(HelpMenu, TheInstallationReportNamesWhereEachFileWasFound)
{
    // Bit by bit: 1 manual in cwd, 2 disclaimer installed, 4 world.bmp installed, 8 userapp.cfg in cwd.
    struct Case {
        int present;
        bool complete;
    } const cases[] = {{0, false}, {1 | 2, false}, {1 | 2 | 4, true}, {1 | 2 | 4 | 8, true}, {2 | 4 | 8, false}};
    const QString manual = QDir::current().absoluteFilePath("Velmar UAS User Manual.pdf");
    const QString disclaimer = Installed("share/doc/velmar-userapp", "Velmar UAS Disclaimer.pdf");
    const QString world = Installed("share/velmar-userapp", "world.bmp");
    const QString config = QDir::current().absoluteFilePath("userapp.cfg");
    const QString files[] = {manual, disclaimer, world, config};
    for (const Case &c : cases) {
        for (int bit = 0; bit < 4; ++bit) {
            QFile::remove(files[bit]);
            if (c.present & (1 << bit))
                Touch(files[bit]);
        }
        QString report;
        EXPECT_EQ(ReportInstallation(report), c.complete) << c.present;
        const QStringList lines = report.split('\n', Qt::SkipEmptyParts);
        ASSERT_EQ(lines.size(), 4) << qPrintable(report);
        EXPECT_EQ(lines[0], c.present & 8 ? "userapp.cfg: " + config
                                          : "userapp.cfg: not found in " + QDir::currentPath() +
                                                " (the defaults will be used)");
        EXPECT_TRUE(lines[1].startsWith("Velmar UAS User Manual.pdf: " + (c.present & 1 ? manual : "not found (")))
            << qPrintable(lines[1]);
        EXPECT_TRUE(lines[2].startsWith("Velmar UAS Disclaimer.pdf: " + (c.present & 2 ? disclaimer : "not found (")))
            << qPrintable(lines[2]);
        EXPECT_EQ(lines[3], c.present & 4 ? "world.bmp: " + world
                                          : "world.bmp: not found (looked for " +
                                                QDir::current().absoluteFilePath("world.bmp") + ", " + world + ")");
    }
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
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
