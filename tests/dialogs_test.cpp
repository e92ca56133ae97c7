#include "auth_dlg.h"
#include "mainfrm.h"
#include "sis_mode_form.h"
#include "state_colour.h"
#include "support/fake_clock.h"
#include "support/scripted_ui.h"
#include "support/temp_cwd.h"
#include "ui_seam.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <optional>

namespace {

TEST(AuthDlg, RefusesEmptyFieldsAndLimitsTheirLength)
{
    ScriptedUi ui;
    TAuthDlg dlg(ui);
    QTest::keyClicks(dlg.Usr, "a-very-long-user-name");
    QTest::keyClicks(dlg.Psw, "password123");
    EXPECT_EQ(dlg.Usr->text(), "a-very-long-use"); // 15 characters
    EXPECT_EQ(dlg.Psw->text(), "password");        // 8 characters
    EXPECT_EQ(dlg.Psw->echoMode(), QLineEdit::Password);

    dlg.Psw->clear();
    dlg.findChild<QPushButton *>("OKBtn")->click();
    EXPECT_EQ(ui.messages, QStringList{"You must fill all the fields"});
    EXPECT_EQ(dlg.result(), QDialog::Rejected); // still open
    dlg.Psw->setText(" ");
    dlg.findChild<QPushButton *>("OKBtn")->click();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
}

TEST(AuthDlg, EnteredDataIsOfferedAgainAndCancelKeepsIt)
{
    TempCwd cwd;
    ScriptedUi ui;
    FakeClock clock;
    TMainFrm frm(ui, clock);
    QStringList shown;
    ui.onDialog = [&](QDialog &d) {
        auto &auth = static_cast<TAuthDlg &>(d);
        shown << auth.Usr->text() + "/" + auth.Psw->text();
        auth.Usr->setText("changed");
        return shown.size() == 1 ? (auth.Psw->setText("pw"), int(QDialog::Accepted)) : int(QDialog::Rejected);
    };
    frm.AuthorisationData1Click();
    frm.AuthorisationData1Click();
    frm.AuthorisationData1Click();
    EXPECT_EQ(shown, (QStringList{"/", "changed/pw", "changed/pw"}));
}

TEST(QtUiSeam, ErrorReportsShowTheLatestErrorInOneWindowWithoutBlocking)
{
    QtUiSeam ui;
    ui.ErrorReport(nullptr, "'abc' is not a valid floating point value");
    ui.ErrorReport(nullptr, "'0xZZ' is not a valid integer value"); // returns at once: no modal loop
    int shown = 0;
    QString text;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == "ErrorReport" && w->isVisible()) {
            ++shown;
            text = static_cast<QMessageBox *>(w)->text();
        }
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(text, "'0xZZ' is not a valid integer value");
}

// A stand-in xdg-open on PATH that notes its argument and exits with the status of the row.
TEST(QtUiSeam, SaysWhetherTheDesktopsOpenerTookTheDocument)
{
    struct Case {
        const char *opener; // the script's body; nullptr: no xdg-open on PATH at all
        bool opened;
    } const cases[] = {
        {"exit 0", true},
        {"exit 3", false}, // "no method available for opening"
        {"exit 4", false}, // the program it chose failed, or none was found (GNOME)
        {"exit 2", false}, // the file does not exist
        {"kill -9 $$", false},
        {nullptr, false}, // and no other opener either: nothing on PATH
        // It waited for the viewer, which ran past the grace time and then ended badly: the
        // document was open all along.
        {"/bin/sleep 1; exit 4", true},
    };
    const QByteArray path = qgetenv("PATH");
    for (const Case &c : cases) {
        QTemporaryDir bin;
        const QString noted = bin.filePath("argument");
        if (c.opener) {
            QFile script(bin.filePath("xdg-open"));
            ASSERT_TRUE(script.open(QIODevice::WriteOnly));
            script.write("#!/bin/sh\nprintf '%s' \"$1\" > '" + noted.toUtf8() + "'\n" + c.opener + "\n");
            script.close();
            script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
        qputenv("PATH", bin.path().toUtf8());
        std::optional<bool> answer;
        {
            QtUiSeam ui;
            ui.SetOpenerGrace(500);
            ui.OpenDocument(QUrl::fromLocalFile("/nowhere/Velmar UAS User Manual.pdf"),
                            [&answer](bool opened) { answer = opened; });
            EXPECT_TRUE(QTest::qWaitFor([&] { return answer.has_value(); }, 10000)) << c.opener;
        }
        qputenv("PATH", path);
        EXPECT_EQ(answer, std::optional<bool>(c.opened)) << (c.opener ? c.opener : "no opener");
        if (c.opener) {
            QFile argument(noted);
            ASSERT_TRUE(argument.open(QIODevice::ReadOnly));
            EXPECT_EQ(argument.readAll(), "/nowhere/Velmar UAS User Manual.pdf"); // the path, spaces and all
        }
    }
}

class SisFormTest : public ::testing::Test {
protected:
    FakeClock clock;
    bool connected = false;
    TFrmSISMode form{clock, [this] { return connected; }};
    QColor Colour(const char *name) { return ShownBackground(*form.findChild<QLabel *>(name)); }
};

TEST_F(SisFormTest, OpensOnInfoNAWithAllIndicatorsWhite)
{
    EXPECT_EQ(form.VisibleMode(), "InfoNA");
    for (const int type : MTBuffer::kTypes)
        EXPECT_EQ(Colour(("MT" + std::to_string(type)).c_str()), QColor(Qt::white)) << type;
}

TEST_F(SisFormTest, IndicatorsStayGreenForFiveMinutes)
{
    form.NoteType(2, true);
    form.NoteType(8, true); // no indicator: only its time is kept
    EXPECT_EQ(Colour("MT2"), QColor(0, 128, 0));
    clock.AdvanceSeconds(300);
    form.RefreshTypes();
    EXPECT_EQ(Colour("MT2"), QColor(0, 128, 0));
    clock.AdvanceSeconds(1);
    form.RefreshTypes();
    EXPECT_EQ(Colour("MT2"), QColor(Qt::white));
    form.NoteType(2, true); // received again: green again
    EXPECT_EQ(Colour("MT2"), QColor(0, 128, 0));
    form.NoteType(3, true);
    form.ClearTypeTimes();
    form.RefreshTypes();
    EXPECT_EQ(Colour("MT3"), QColor(Qt::white));
}

TEST_F(SisFormTest, MonitorInfoNAIsShownEveryThirdTimeWhileConnected)
{
    connected = true;
    form.SetMode("Mode SOL", false, 1);
    EXPECT_EQ(form.VisibleMode(), "ModeSOL");
    form.SetMode("InfoNA", false, 1);
    form.SetMode("InfoNA", false, 1);
    EXPECT_EQ(form.VisibleMode(), "ModeSOL");
    form.SetMode("InfoNA", true, 1); // the supervision is shown at once and does not count
    EXPECT_EQ(form.VisibleMode(), "InfoNA");
    form.SetMode("Mode 0/2", false, 1); // resets the count
    form.SetMode("InfoNA", false, 1);
    form.SetMode("InfoNA", false, 1);
    EXPECT_EQ(form.VisibleMode(), "Mode0_2");
    form.SetMode("InfoNA", false, 1);
    EXPECT_EQ(form.VisibleMode(), "InfoNA");
    form.SetMode("Unknown", false, 1);
    EXPECT_EQ(form.VisibleMode(), "");
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
