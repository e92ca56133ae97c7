#include "config_warning.h"
#include "frm_conf.h"
#include "ip_edit.h"
#include "mainfrm.h"
#include "num_edit.h"
#include "support/fake_clock.h"
#include "support/scripted_ui.h"
#include "support/temp_cwd.h"

#include <QAction>
#include <QApplication>
#include <QToolBar>
#include <QToolButton>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

const QByteArray kFullFile =
    "IPServer\r\n10.0.0.5\r\nPortClient\r\n6666\r\nPortServer\r\n5000\r\nMessageRequestMethod\r\nPoll\r\n"
    "VelmarGpsDir\r\nc:\\\r\nESPDir\r\n\r\nNoSISMargin\r\n30\r\nBufLen\r\n15\r\nBufPer\r\n10\r\n"
    "GEO1\r\n120;ORVAN-1;ORVAN;5000;\r\nGEO2\r\n126;ORVAN-2;ORVAN;5001;\r\nGEO3\r\n;;;;\r\nGEO4\r\n;;;;\r\n"
    "GEO5\r\n;;;;\r\nGEO6\r\n;;;;\r\nEndOfConfigFile\r\nEndOfConfigFile\r\n";

TEST(TIPEdit, AcceptsOnlyFourNumbersUpTo255)
{
    const struct {
        const char *text;
        bool valid;
    } cases[] = {
        {"192.168.1.1", true}, {"0.0.0.0", true},    {"255.255.255.255", true}, {"1.2.3", false},
        {"1..2.3", false},     {"1.2.3.", false},    {".1.2.3", false},         {"256.1.1.1", false},
        {"1.2.3.256", false},  {"1.2.3.4.5", false}, {"1.-2.3.4", false},       {"", false},
        {"1.2.3.99999999999", false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(TIPEdit::IsAddress(c.text), c.valid) << c.text;
}

TEST(TNumEdit, ValidatesTheSignTheModeAsks)
{
    const struct {
        const char *text;
        TNumEdit::TValidMode mode;
        bool valid;
    } cases[] = {
        {"7777", TNumEdit::vmGTZero, true},  {"65536", TNumEdit::vmGTZero, true}, {"0", TNumEdit::vmGTZero, false},
        {"-5", TNumEdit::vmGTZero, false},   {"", TNumEdit::vmGTZero, false},     {"abc", TNumEdit::vmAny, false},
        {"0", TNumEdit::vmGTEZero, true},    {"-1", TNumEdit::vmGTEZero, false},  {"-1", TNumEdit::vmLTZero, true},
        {"0", TNumEdit::vmLTZero, false},    {"0", TNumEdit::vmLTEZero, true},    {"2.5", TNumEdit::vmAny, true},
        {"inf", TNumEdit::vmGTZero, false},
    };
    for (const auto &c : cases) {
        TNumEdit edit;
        edit.ValidMode = c.mode;
        edit.setText(c.text);
        EXPECT_EQ(edit.Validate(), c.valid) << c.text << " mode " << c.mode;
    }
}

TEST(KeyFilters, LettersTypedIntoNumberAndAddressFieldsHaveNoEffect)
{
    ScriptedUi ui;
    TFrmConf dlg(ui);
    TNumEdit real;
    real.NumType = TNumEdit::ntReal;
    const struct {
        QLineEdit *edit;
        const char *typed, *result;
    } cases[] = {
        {dlg.PortServer, "7a-8.x", "7-8"},  {&real, "1.5e-2", "1.5-2"},       {dlg.IPServer, "1a.2-.3 .4", "1.2.3.4"},
        {dlg.NoSISMargin, "4-5.x6", "456"},
    };
    for (const auto &c : cases) {
        c.edit->clear();
        QTest::keyClicks(c.edit, c.typed);
        EXPECT_EQ(c.edit->text(), c.result) << c.typed;
    }
    // The buffer fields sit on a page that is never enabled, so their filter is asked directly.
    for (const char *typed : {"a", "-", "."}) {
        QChar key = QChar::fromLatin1(*typed);
        dlg.BufLenKeyPress(dlg.BufLen, key);
        EXPECT_TRUE(key.isNull()) << typed;
    }
    QChar digit('7');
    dlg.BufLenKeyPress(dlg.BufPer, digit);
    EXPECT_EQ(digit, QChar('7'));
    dlg.PortServer->setText("77");
    QTest::keyClick(dlg.PortServer, Qt::Key_Backspace);
    EXPECT_EQ(dlg.PortServer->text(), "7"); // editing keys still work
}

class SettingsDialog : public ::testing::Test {
protected:
    TempCwd cwd;
    ScriptedUi ui;
    QStringList warnings;

    SettingsDialog()
    {
        ui.onDialog = [this](QDialog &d) {
            if (auto *w = qobject_cast<TConfigWarning *>(&d))
                warnings << w->Text();
            return int(QDialog::Accepted);
        };
    }
    QByteArray File() { return cwd.Read("userapp.cfg"); }
};

TEST_F(SettingsDialog, EachFailedCheckShowsItsMessageKeepsTheDialogOpenAndWritesNothing)
{
    const struct {
        const char *field, *value, *message;
    } cases[] = {
        {"IPServer", "1.2.3", "The RUD2AZ server must be identified by a correct IP address."},
        {"IPServer", "256.1.1.1", "The RUD2AZ server must be identified by a correct IP address."},
        {"PortServer", "0", "RUD2AZ Server port is not correct."},
        {"PortServer", "-5", "RUD2AZ Server port is not correct."},
        {"PortServer", "", "RUD2AZ Server port is not correct."},
        {"PortClient", "0", "RUD2AZ Client port is not correct."},
        {"NoSISMargin", "", "No-SIS detection time must be introduced"},
        {"BufLen", "", "Output buffer length must be introduced"},
        {"BufPer", "", "Buffer writing interval must be introduced"},
    };
    for (const auto &c : cases) {
        warnings.clear();
        TFrmConf dlg(ui);
        dlg.findChild<QLineEdit *>(c.field)->setText(c.value);
        dlg.BitBtn1Click();
        EXPECT_EQ(warnings, QStringList{c.message}) << c.field << "=" << c.value;
        EXPECT_EQ(dlg.result(), QDialog::Rejected) << "still open";
        EXPECT_FALSE(QFile::exists(cwd.Path("userapp.cfg")));
    }
}

TEST_F(SettingsDialog, AHiddenClientPortOfZeroInTheFileFailsEveryOk)
{
    cwd.Write("userapp.cfg", QByteArray(kFullFile).replace("PortClient\r\n6666", "PortClient\r\n0"));
    TFrmConf dlg(ui);
    dlg.FormShow();
    dlg.BitBtn1Click();
    dlg.BitBtn1Click();
    EXPECT_EQ(warnings, QStringList(2, "RUD2AZ Client port is not correct."));
    EXPECT_FALSE(dlg.PortClient->isVisibleTo(&dlg));
}

TEST_F(SettingsDialog, ConfirmingDefaultsWritesTheSixteenKeysInOrderAndSavingAgainIsStable)
{
    TFrmConf first(ui);
    first.FormShow(); // no file yet
    EXPECT_EQ(warnings, QStringList{"An error was found when trying to load the configuration from disk. "
                                    "Default settings will be used."});
    first.BitBtn1Click();
    EXPECT_EQ(first.result(), QDialog::Accepted);
    const QByteArray written = File();
    EXPECT_EQ(written, "IPServer\r\n127.0.0.1\r\nPortClient\r\n6666\r\nPortServer\r\n7777\r\n"
                       "MessageRequestMethod\r\nSubscribe\r\nVelmarGpsDir\r\nc:\\\r\nESPDir\r\n\r\n"
                       "NoSISMargin\r\n60\r\nBufLen\r\n15\r\nBufPer\r\n10\r\nGEO1\r\n;;;;\r\nGEO2\r\n;;;;\r\n"
                       "GEO3\r\n;;;;\r\nGEO4\r\n;;;;\r\nGEO5\r\n;;;;\r\nGEO6\r\n;;;;\r\n"
                       "EndOfConfigFile\r\nEndOfConfigFile\r\n");
    EXPECT_EQ(written.count("\r\n"), 32);

    // The empty rows come back as one space per cell and are saved as spaces from then on.
    warnings.clear();
    TFrmConf second(ui);
    second.FormShow();
    EXPECT_TRUE(warnings.isEmpty());
    EXPECT_EQ(second.GEOtable->item(1, 0)->text(), " ");
    EXPECT_EQ(second.GEOtable->item(0, 3)->text(), "Port");
    second.BitBtn1Click();
    EXPECT_TRUE(File().contains("GEO1\r\n ; ; ; ;\r\n"));
    const QByteArray once = File();
    TFrmConf third(ui);
    third.FormShow();
    third.BitBtn1Click();
    EXPECT_EQ(File(), once);
}

TEST_F(SettingsDialog, TheGeoTableIsHeadedBeforeAnyFileExists)
{
    const QStringList headings{"GEO PRN", "GEO name", "SBAS system", "Port"};
    const auto shown = [](const TFrmConf &d) {
        QStringList cells;
        for (int c = 0; c < 4; ++c)
            cells << d.GEOtable->item(0, c)->text();
        return cells;
    };
    TFrmConf dlg(ui);
    EXPECT_EQ(shown(dlg), headings) << "as created";
    dlg.FormShow(); // no file: the load warning
    EXPECT_EQ(warnings.size(), 1);
    EXPECT_EQ(shown(dlg), headings) << "after a failed load";
}

// A FIFO named userapp.cfg, nobody at its other end: loading and saving fail at once, each
// with its usual warning.
TEST_F(SettingsDialog, AFifoForAFileFailsAtOnceWithTheUsualWarnings)
{
    ASSERT_EQ(::mkfifo(cwd.Path("userapp.cfg").toLocal8Bit().constData(), 0600), 0);
    TFrmConf dlg(ui);
    dlg.FormShow();
    dlg.BitBtn1Click();
    EXPECT_EQ(warnings, (QStringList{"An error was found when trying to load the configuration from disk. "
                                     "Default settings will be used.",
                                     "An error was found while trying to write the configuration of VELMAR "
                                     "User Application to disk."}));
    EXPECT_EQ(dlg.result(), QDialog::Rejected) << "still open";
}

TEST_F(SettingsDialog, LoadsEveryKeyAndKeepsDefaultsAfterTheFirstMissingOne)
{
    cwd.Write("userapp.cfg", kFullFile);
    TFrmConf dlg(ui);
    dlg.FormShow();
    EXPECT_EQ(dlg.IPServer->text(), "10.0.0.5");
    EXPECT_EQ(dlg.PortServer->text(), "5000");
    EXPECT_TRUE(dlg.MsgReqMethPoll->isChecked());
    EXPECT_EQ(dlg.NoSISMargin->text(), "30");
    EXPECT_EQ(dlg.GEOtable->item(2, 1)->text(), "ORVAN-2");

    cwd.Write("userapp.cfg", "IPServer\r\n10.0.0.9\r\nPortClient\r\n6000\r\n");
    TFrmConf partial(ui);
    partial.FormShow();
    EXPECT_EQ(partial.IPServer->text(), "10.0.0.9");
    EXPECT_EQ(partial.PortClient->text(), "6000");
    EXPECT_EQ(partial.PortServer->text(), "7777");
    EXPECT_EQ(warnings.size(), 1);
}

// The main window's side: the settings command and what it changes.
class SettingsCommand : public SettingsDialog {
protected:
    FakeClock clock;
    std::unique_ptr<TMainFrm> frm;
    std::function<int(TFrmConf &)> user;

    void Start()
    {
        frm = std::make_unique<TMainFrm>(ui, clock);
        ui.onDialog = [this](QDialog &d) {
            if (auto *w = qobject_cast<TConfigWarning *>(&d)) {
                warnings << w->Text();
                return int(QDialog::Accepted);
            }
            if (auto *conf = qobject_cast<TFrmConf *>(&d))
                return user(*conf);
            return int(QDialog::Rejected);
        };
        frm->FormShow();
    }
};

TEST_F(SettingsCommand, ConfirmingANewPortChangesTheNextConnectionAndItsGeoRow)
{
    cwd.Write("userapp.cfg", kFullFile);
    Start();
    ASSERT_EQ(frm->ServerPort(), 5000);
    user = [](TFrmConf &d) {
        d.PortServer->setText("5001");
        d.NoSISMargin->setText("45");
        d.BitBtn1->click();
        return d.result();
    };
    frm->MnuSettingsClick();
    EXPECT_EQ(frm->ServerPort(), 5001);
    EXPECT_TRUE(frm->PollMode());
    EXPECT_EQ(frm->findChild<QTimer *>("SISChecker")->interval(), 45000);
    EXPECT_EQ(frm->GeoTableRef().FindPort("5001"), 2);
    EXPECT_EQ(frm->GeoTableRef().Row(2).name, "ORVAN-2");
    EXPECT_TRUE(warnings.isEmpty());
}

TEST_F(SettingsCommand, CancelLeavesTheFileAndTheMainWindowUntouched)
{
    cwd.Write("userapp.cfg", kFullFile);
    Start();
    user = [](TFrmConf &d) {
        d.PortServer->setText("6001");
        d.GEOtable->item(1, 1)->setText("EDITED");
        d.BitBtn2->click();
        return d.result();
    };
    frm->MnuSettingsClick();
    EXPECT_EQ(File(), kFullFile);
    EXPECT_EQ(frm->ServerPort(), 5000);
    EXPECT_EQ(frm->GeoTableRef().Row(1).name, "ORVAN-1");
}

TEST_F(SettingsCommand, AFirstStartWarnsOnceAndAfterConfirmingTheNextStartIsSilent)
{
    Start();
    EXPECT_EQ(warnings, QStringList{"An error was found when trying to load the configuration from disk. "
                                    "The default settings will be used."});
    // Without a file the broadcast status is not offered...
    auto *button = frm->findChild<QToolButton *>("TbQUIL");
    auto *item = frm->findChild<QAction *>("QUILSISBroadcastStatus1");
    auto *toolBar = frm->findChild<QToolBar *>("ToolBar");
    QAction *buttonAction = nullptr; // the tool bar shows the button through its action
    for (QAction *a : toolBar->actions())
        if (toolBar->widgetForAction(a) == button)
            buttonAction = a;
    ASSERT_NE(buttonAction, nullptr);
    EXPECT_FALSE(buttonAction->isVisible());
    EXPECT_FALSE(button->isEnabled());
    EXPECT_FALSE(item->isEnabled());
    warnings.clear();
    user = [](TFrmConf &d) {
        d.BitBtn1->click();
        return d.result();
    };
    frm->MnuSettingsClick();
    EXPECT_EQ(warnings.size(), 1); // the dialog's own reading of the missing file
    EXPECT_EQ(File().count("\r\n"), 32);
    // ...and once the confirmed dialog has written one, it is, as after a start with the file.
    EXPECT_TRUE(buttonAction->isVisible());
    EXPECT_TRUE(button->isEnabled());
    EXPECT_TRUE(item->isEnabled());
    warnings.clear();
    Start();
    EXPECT_TRUE(warnings.isEmpty());
    EXPECT_EQ(frm->ServerAddress(), "127.0.0.1");
    EXPECT_EQ(frm->ServerPort(), 7777);
}

TEST_F(SettingsCommand, HelpItemsOpenTheDocumentsOfTheWorkingDirectoryAndTheWebPages)
{
    cwd.Write("Velmar UAS User Manual.pdf", "%PDF-1.4\n");
    cwd.Write("Velmar UAS Disclaimer.pdf", "%PDF-1.4\n");
    Start();
    frm->UASUserManual1Click();
    frm->VelmarUASDisclaimer1Click();
    frm->Velmaronline1Click();
    frm->KnowmoreonORVAN1Click();
    ASSERT_EQ(ui.opened.size(), 4);
    EXPECT_EQ(ui.opened[0].toLocalFile(), QDir(cwd.Path("Velmar UAS User Manual.pdf")).absolutePath());
    EXPECT_EQ(ui.opened[1].toLocalFile(), QDir(cwd.Path("Velmar UAS Disclaimer.pdf")).absolutePath());
    EXPECT_TRUE(ui.opened[2].scheme().startsWith("http"));
    EXPECT_TRUE(ui.opened[3].scheme().startsWith("http"));
    frm->AboutVelmarUAS1Click();
    frm->AboutVelmarUAS1Click();
    EXPECT_EQ(ui.dialogs.count("AboutBox"), 2);
    EXPECT_EQ(frm->findChildren<QDialog *>("AboutBox").size(), 0); // released after each opening
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
