#include "config_warning.h"
#include "log_window.h"
#include "mainfrm.h"
#include "support/fake_clock.h"
#include "support/scripted_ui.h"
#include "support/temp_cwd.h"

#include <QAccessible>
#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <fstream>
#include <sys/stat.h>

namespace {

const QByteArray kFullConfig = "IPServer\r\n10.1.2.3\r\nPortClient\r\n6666\r\nPortServer\r\n7000\r\n"
                               "MessageRequestMethod\r\nSubscribe\r\nVelmarGpsDir\r\nc:\\\r\nESPDir\r\n\r\n"
                               "NoSISMargin\r\n30\r\nBufLen\r\n15\r\nBufPer\r\n10\r\n"
                               "GEO1\r\n;;;;\r\nGEO2\r\n;;;;\r\nGEO3\r\n124;ORVAN-1;ORVAN;7000;\r\n"
                               "GEO4\r\n;;;;\r\nGEO5\r\n;;;;\r\nGEO6\r\n;;;;\r\nEndOfConfigFile\r\nEndOfConfigFile\r\n";

class MainFrmTest : public ::testing::Test {
protected:
    TempCwd cwd;
    ScriptedUi ui;
    FakeClock clock;
    QStringList warnings;

    void SetUp() override
    {
        ui.onDialog = [this](QDialog &d) {
            if (auto *w = qobject_cast<TConfigWarning *>(&d))
                warnings << w->Text();
            return int(QDialog::Accepted);
        };
    }
    int CheckerInterval(TMainFrm &f) { return f.findChild<QTimer *>("SISChecker")->interval(); }
};

TEST_F(MainFrmTest, FullConfigurationIsApplied)
{
    cwd.Write("userapp.cfg", kFullConfig);
    TMainFrm f(ui, clock);
    f.FormShow();
    EXPECT_TRUE(warnings.isEmpty());
    EXPECT_EQ(f.ServerAddress(), "10.1.2.3");
    EXPECT_EQ(f.ServerPort(), 7000);
    EXPECT_EQ(CheckerInterval(f), 30000);
    EXPECT_EQ(f.findChild<QTimer *>("DisconnChecker")->interval(), 30000);
    EXPECT_FALSE(f.PollMode());
    EXPECT_EQ(f.GeoTableRef().Row(3).name, "ORVAN-1");
    EXPECT_EQ(f.GeoTableRef().Row(1).prn, " ");
    EXPECT_EQ(f.GeoTableRef().header[0], "GEO PRN");
    EXPECT_TRUE(f.findChild<QToolButton *>("TbQUIL")->isEnabled());
    EXPECT_TRUE(f.findChild<QAction *>("QUILSISBroadcastStatus1")->isEnabled());
}

// The window applies what its reading reached and warns after a failure; the reading's rules
// have their rows in the configuration tests.
TEST_F(MainFrmTest, ReadingFailuresWarnOnceAndFallBack)
{
    struct Case {
        const char *name;
        QByteArray from, to;   // replacement applied to the full configuration
        quint16 port;
        int checker;
        bool poll;
    } cases[] = {
        {"missing GEO row after the method was read", "GEO6\r\n;;;;\r\n", "", 7777, 30000, false},
        {"lower-case subscribe selects polling", "Subscribe", "subscribe", 7000, 30000, true},
    };
    for (const auto &c : cases) {
        warnings.clear();
        QByteArray config = kFullConfig;
        cwd.Write("userapp.cfg", config.replace(c.from, c.to));
        TMainFrm f(ui, clock);
        f.FormShow();
        const bool fails = c.port == 7777;
        EXPECT_EQ(warnings.size(), fails ? 1 : 0) << c.name;
        EXPECT_EQ(f.ServerAddress(), fails ? "127.0.0.1" : "10.1.2.3") << c.name;
        EXPECT_EQ(f.ServerPort(), c.port) << c.name;
        EXPECT_EQ(CheckerInterval(f), c.checker) << c.name;
        EXPECT_EQ(f.PollMode(), c.poll) << c.name;
    }
}

// What is not a small regular file is refused with the load warning, at once: a FIFO nobody
// writes would otherwise hold the start before any window shows.
TEST_F(MainFrmTest, AConfigurationThatIsNotASmallRegularFileGivesTheLoadWarningAtOnce)
{
    const struct {
        const char *name;
        std::function<void()> make;
    } rows[] = {
        {"a FIFO nobody writes", [this] { ASSERT_EQ(::mkfifo(cwd.Path("userapp.cfg").toLocal8Bit().constData(), 0600), 0); }},
        {"a folder", [this] { QDir(cwd.Path("")).mkdir("userapp.cfg"); }},
        {"the whole configuration followed by 1 MiB of line feeds", [this] {
             cwd.Write("userapp.cfg", kFullConfig + QByteArray(1024 * 1024, '\n'));
         }},
    };
    for (const auto &row : rows) {
        QFile::remove(cwd.Path("userapp.cfg"));
        QDir(cwd.Path("")).rmdir("userapp.cfg");
        row.make();
        warnings.clear();
        TMainFrm f(ui, clock);
        f.FormShow();
        EXPECT_EQ(warnings, QStringList{"An error was found when trying to load the configuration from disk. "
                                        "The default settings will be used."})
            << row.name;
        EXPECT_EQ(f.ServerAddress(), "127.0.0.1") << row.name;
        EXPECT_EQ(f.ServerPort(), 7777) << row.name;
        EXPECT_FALSE(f.findChild<QAction *>("QUILSISBroadcastStatus1")->isEnabled()) << row.name;
    }
}

// Bytes this process has read from files and pipes so far.
std::optional<long long> BytesRead()
{
    std::ifstream io("/proc/self/io");
    for (std::string key; io >> key;) {
        long long value = 0;
        io >> value;
        if (key == "rchar:")
            return value;
    }
    return std::nullopt;
}

// The sixteen keys with a comment-like pair of 500 kB on top: read once per apply, the file
// costs 0.5 MB of reading; read once per key, it cost 14 times that.
TEST_F(MainFrmTest, EachApplyReadsTheFileOnce)
{
    if (!BytesRead())
        GTEST_SKIP() << "no /proc/self/io";
    cwd.Write("userapp.cfg", "Padding\r\n" + QByteArray(500'000, 'x') + "\r\n" + kFullConfig);
    TMainFrm f(ui, clock);
    const long long before = *BytesRead();
    f.FormShow();
    const long long read = *BytesRead() - before;
    EXPECT_TRUE(warnings.isEmpty());
    EXPECT_EQ(f.ServerPort(), 7000);
    EXPECT_GE(read, 500'000);
    EXPECT_LT(read, 1'000'000);
}

TEST_F(MainFrmTest, AnUnusablePortAloneFallsBackToTheDefaultPort)
{
    for (const QByteArray port : {"70000"}) { // the other ports' rows are in the configuration tests
        warnings.clear();
        QByteArray config = kFullConfig;
        cwd.Write("userapp.cfg", config.replace("PortServer\r\n7000", "PortServer\r\n" + port));
        TMainFrm f(ui, clock);
        f.FormShow();
        EXPECT_EQ(warnings.size(), 1) << port.toStdString();
        EXPECT_EQ(f.ServerPort(), 7777) << port.toStdString();
        // Everything else is read as usual.
        EXPECT_EQ(f.ServerAddress(), "10.1.2.3") << port.toStdString();
        EXPECT_EQ(CheckerInterval(f), 30000) << port.toStdString();
        EXPECT_EQ(f.GeoTableRef().Row(3).name, "ORVAN-1") << port.toStdString();
    }
}

TEST_F(MainFrmTest, AMarginOfZeroSwitchesTheNoDataCheckOffAndReadsTheRest)
{
    QByteArray config = kFullConfig;
    cwd.Write("userapp.cfg", config.replace("NoSISMargin\r\n30", "NoSISMargin\r\n0").replace("Subscribe", "Poll"));
    TMainFrm f(ui, clock);
    f.FormShow();
    EXPECT_TRUE(warnings.isEmpty());
    EXPECT_TRUE(f.PollMode());
    EXPECT_EQ(f.GeoTableRef().Row(3).name, "ORVAN-1");
    EXPECT_EQ(f.findChild<QPlainTextEdit *>("LogWin")->toPlainText().toStdString(),
              "NoSISMargin is 0: the no-data check is switched off.");
    EXPECT_FALSE(f.findChild<QTimer *>("SISChecker")->isActive());
}

TEST_F(MainFrmTest, ScreenReadersFollowTheConnectCaptionAndAutoReconnectByAnyMeans)
{
    TMainFrm f(ui, clock);
    auto *connect = f.findChild<QPushButton *>("Connect");
    const auto spoken = [&] { return QAccessible::queryAccessibleInterface(connect)->text(QAccessible::Name); };
    EXPECT_EQ(spoken(), "Connect");
    connect->setText("Auto");
    EXPECT_EQ(spoken(), "Auto");

    // A reconnection is pending; unchecking through accessibility (no click) cancels it.
    auto *autoRec = f.findChild<QCheckBox *>("AutoRec");
    autoRec->setChecked(true);
    f.findChild<QTimer *>("TimerRecon")->start();
    QAccessibleActionInterface *actions = QAccessible::queryAccessibleInterface(autoRec)->actionInterface();
    ASSERT_NE(actions, nullptr);
    actions->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_FALSE(autoRec->isChecked());
    EXPECT_FALSE(f.findChild<QTimer *>("TimerRecon")->isActive());
    EXPECT_EQ(connect->text(), "Connect");
}

TEST_F(MainFrmTest, TheCreditLineStaysWhenAMenuHintIsShown)
{
    TMainFrm f(ui, clock);
    f.show();
    f.statusBar()->showMessage("a menu item's hint");
    auto *credit = f.findChild<QLabel *>("StatusCredit");
    ASSERT_NE(credit, nullptr);
    EXPECT_TRUE(credit->isVisible());
    EXPECT_EQ(credit->text(), "VELMAR User Application - SBAS messages relayed over the Internet");
}

TEST_F(MainFrmTest, TheShippedExampleConfigurationReadsWithoutWarning)
{
    QFile example(VELMAR_EXAMPLE_CONFIG);
    ASSERT_TRUE(example.open(QIODevice::ReadOnly));
    cwd.Write("userapp.cfg", example.readAll());
    TMainFrm f(ui, clock);
    f.FormShow();
    EXPECT_TRUE(warnings.isEmpty());
    EXPECT_EQ(f.ServerAddress(), "127.0.0.1");
    EXPECT_EQ(f.ServerPort(), 7777);
    EXPECT_EQ(f.GeoTableRef().Row(1).prn, "126");
    EXPECT_EQ(f.GeoTableRef().FindPort("7777"), 1);
}

TEST_F(MainFrmTest, MissingFileShowsTheLoadWarningOnceOnFirstShow)
{
    TMainFrm f(ui, clock);
    f.show();
    f.hide();
    f.show();
    ASSERT_EQ(warnings.size(), 1);
    EXPECT_EQ(warnings[0], "An error was found when trying to load the configuration from disk. "
                           "The default settings will be used.");
    EXPECT_EQ(ui.dialogs, QStringList{"ConfigWarning"});
    EXPECT_EQ(f.ServerAddress(), "127.0.0.1");
    EXPECT_EQ(f.ServerPort(), 7777);
    EXPECT_FALSE(f.PollMode());
    EXPECT_EQ(CheckerInterval(f), 60000);
}

TEST_F(MainFrmTest, StartsWithItsCaptionsLampsAndTimers)
{
    TMainFrm f(ui, clock);
    EXPECT_EQ(f.windowTitle(), " VELMAR User Application  v3.2.3");
    EXPECT_EQ(f.findChild<QLabel *>("Week")->text(), "GPS Week:");
    EXPECT_EQ(f.findChild<QLabel *>("MsgType")->text(), "Message Type:");
    const std::pair<const char *, int> timers[] = {{"TimerMSG", 200},       {"TimerRx", 10},
                                                   {"TimerRecon", 60000},   {"SISChecker", 60000},
                                                   {"DisconnChecker", 720000}, {"TimerQI", 1500},
                                                   {"Timer1sec", 1000}};
    for (const auto &[name, interval] : timers) {
        auto *t = f.findChild<QTimer *>(name);
        ASSERT_NE(t, nullptr) << name;
        EXPECT_EQ(t->interval(), interval) << name;
        EXPECT_EQ(t->isActive(), interval == 1500 || interval == 1000) << name;
    }
    f.show();
    for (const char *lamp : {"Send", "AckWait", "AckRx", "DiskLogging", "Error"}) {
        auto *on = f.findChild<QLabel *>(QString(lamp) + "On");
        ASSERT_NE(on, nullptr) << lamp;
        EXPECT_FALSE(on->isVisible()) << lamp;
        f.ShowLamp(lamp);
        EXPECT_TRUE(on->isVisible()) << lamp;
        f.HideLamp(lamp);
        EXPECT_FALSE(on->isVisible()) << lamp;
    }
    EXPECT_EQ(f.PrnMask().received, 0);
    EXPECT_EQ(f.Igp().entry[kIgpCount - 1].Band, 10); // the grid is laid out from the start
    EXPECT_EQ(f.Igp().entry[kIgpCount - 1].VerticalDelay, -10000.0f);
    EXPECT_EQ(f.ServiceMsgs().NumberOfMessages, 0);
}

// The log window on its own, as the main window and the link write to it.
class LogWindowTest : public ::testing::Test {
protected:
    TempCwd cwd;
    FakeClock clock;
    QPlainTextEdit view;
    LogWindow log{view, clock};
};

TEST_F(LogWindowTest, HundredthLogLineRollsTheLogIntoADatedFile)
{
    cwd.Write("07_12_2026_12_30_05.txt", "an older file of the same name\n"); // overwritten
    for (int i = 1; i <= 99; ++i)
        log.Log(QString("line %1").arg(i));
    EXPECT_EQ(cwd.Read("07_12_2026_12_30_05.txt"), "an older file of the same name\n") << "no roll-over yet";
    log.Log("line 100");
    EXPECT_TRUE(view.toPlainText().isEmpty());
    const QList<QByteArray> saved = cwd.Read("07_12_2026_12_30_05.txt").split('\n');
    ASSERT_EQ(saved.size(), 101); // 100 lines and the final line break
    EXPECT_EQ(saved[0], "line 1");
    EXPECT_EQ(saved[99], "line 100");
    log.Log("line 101");
    EXPECT_EQ(view.toPlainText(), "line 101");
}

// A FIFO of the roll-over file's name would block the window: it is left alone, the log
// window is cleared as usual.
TEST_F(LogWindowTest, ARollOverNameTakenByAFifoDoesNotBlock)
{
    ASSERT_EQ(::mkfifo(cwd.Path("07_12_2026_12_30_05.txt").toLocal8Bit().constData(), 0600), 0);
    for (int i = 1; i <= 100; ++i)
        log.Log(QString("line %1").arg(i));
    EXPECT_TRUE(view.toPlainText().isEmpty());
}

// A flood of log lines: at most one roll-over file a minute, the lines left out counted in the
// first line of the next file.
TEST_F(LogWindowTest, LogRollOverWritesAtMostOneFileAMinute)
{
    const auto rollOver = [this](int from) {
        for (int i = from; i < from + 100; ++i)
            log.Log(QString("line %1").arg(i));
    };
    const auto files = [this] { return QDir(cwd.Path("")).entryList({"*.txt"}, QDir::Files, QDir::Name); };

    rollOver(1);
    ASSERT_EQ(files(), QStringList{"07_12_2026_12_30_05.txt"});
    struct Step {
        double advanceSeconds;
        QString newFile; // "" when the roll-over writes no file
        QByteArray firstLine;
    };
    const Step steps[] = {
        {0, "", ""},
        {30, "", ""},
        {29, "", ""},
        {1.5, "07_12_2026_12_31_05.txt", "300 log lines before these were not written "
                                         "(at most one roll-over file a minute)"},
        {1, "", ""},
        {60, "07_12_2026_12_32_06.txt", "100 log lines before these were not written "
                                        "(at most one roll-over file a minute)"},
        {61, "07_12_2026_12_33_07.txt", "line 701"},
    };
    int from = 101;
    int expectedFiles = 1;
    for (const Step &s : steps) {
        clock.AdvanceSeconds(s.advanceSeconds);
        rollOver(from);
        if (!s.newFile.isEmpty()) {
            ++expectedFiles;
            ASSERT_TRUE(files().contains(s.newFile)) << s.newFile.toStdString();
            const QList<QByteArray> lines = cwd.Read(s.newFile).split('\n');
            EXPECT_EQ(lines.value(0), s.firstLine) << s.newFile.toStdString();
            EXPECT_EQ(lines.value(lines.size() - 2), "line " + QByteArray::number(from + 99));
        }
        EXPECT_EQ(files().size(), expectedFiles) << "after line " << from + 99;
        EXPECT_TRUE(view.toPlainText().isEmpty());
        from += 100;
    }
}

TEST_F(LogWindowTest, TimeStampBlockIsDashesAroundTheDateAndASpaceLine)
{
    log.LogTimeStamp();
    EXPECT_EQ(view.toPlainText(), "---- 07/12/2026 12:30:05---- \n ");
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
