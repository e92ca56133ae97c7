// Message logging through the window: the record of each accepted message, the logging window's
// controls and type selection, and a replay logged back to a file equal to its recording. The
// log file and the log's own rules are tested without a window in output_test.cpp.
#include "support/file_size_limit.h"
#include "support/session_fixture.h"

#include "logging_form.h"
#include "output/log_file.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QMenuBar>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

#include <filesystem>
#include <fstream>
#include <set>
#include <sys/stat.h>

namespace {

const QString kNow = "07/12/2026 12:30:05"; // the fake clock's time

// A connected main window whose stream has ended; further messages are handed to the intake
// directly, so each case controls exactly what arrives.
class LoggingTest : public SessionTest {
protected:
    void SetUp() override
    {
        StartServer({SbasFrame(8)}, Fast());
        StartClient();
        ConnectAndStream();
        ASSERT_TRUE(WaitFor([&] { return Caption("Time") == "GPS Time: 1000"; }));
    }

    static ServerOptions Fast()
    {
        ServerOptions o;
        o.speed = 0;
        return o;
    }

    TFrmLogging &Form() { return *frm->LoggingForm(); }
    template <typename T = QWidget>
    T *Control(const QString &name)
    {
        auto *w = Form().findChild<T *>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    QString Memo() { return Control<QPlainTextEdit>("LoggingMemo")->toPlainText(); }
    QString StartStopCaption() { return Control<QPushButton>("StartStopButton")->text(); }

    void Start(const QString &file = "log.klt", bool overwrite = true)
    {
        Control<QLineEdit>("FileNameEdit")->setText(file.isEmpty() ? file : cwd.Path(file));
        Control<QRadioButton>(overwrite ? "OverWriteRadioButton" : "AppendRadioButton")->click();
        Control<QPushButton>("StartStopButton")->click();
    }
    void Stop()
    {
        if (StartStopCaption() == "Stop Logging")
            Control<QPushButton>("StartStopButton")->click();
    }

    void Feed(SbasFrame f, int week = 2443)
    {
        frm->HandleMsgLine("*MSG," + std::to_string(week) + "," + std::to_string(tow_++) + "," +
                           Payload(f).toStdString());
    }
    void Feed(int type) { Feed(SbasFrame(type)); }

    // The type field of every record in the log.
    std::vector<int> LoggedTypes()
    {
        std::vector<int> types;
        for (const QByteArray &line : cwd.Read("log.klt").split('\n'))
            if (const auto r = ParseLogRecord(line.toStdString()))
                types.push_back(r->type);
        return types;
    }

    int tow_ = 5000;
};

TEST_F(LoggingTest, WindowLayout)
{
    EXPECT_EQ(Form().windowTitle(), "Disk Logging");
    auto *pages = Control<QTabWidget>("PageControl1");
    ASSERT_EQ(pages->count(), 3);
    EXPECT_EQ(QStringList({pages->tabText(0), pages->tabText(1), pages->tabText(2)}),
              QStringList({"MessageTypes", "File", "Logging"}));
    EXPECT_TRUE(Control<QCheckBox>("CheckBoxAll")->isChecked());
    QStringList captions;
    for (const int type : TFrmLogging::kBoxedTypes) {
        auto *box = Control<QCheckBox>("CheckBoxMT" + QString::number(type));
        captions << box->text();
        EXPECT_FALSE(box->isChecked());
    }
    EXPECT_EQ(captions.size(), 20);
    EXPECT_EQ(captions.mid(0, 3), QStringList({"MT 0", "MT 1", "MT 2"}));
    EXPECT_EQ(captions.mid(8, 2), QStringList({"MT 9", "MT10"}));
    EXPECT_EQ(captions.last(), "MT63");
    EXPECT_TRUE(Control<QRadioButton>("AppendRadioButton")->isChecked());
    EXPECT_EQ(StartStopCaption(), "Start Logging");

    // The "Logging" item sits on the menu bar itself and shows the window.
    QAction *item = frm->menuBar()->findChild<QAction *>("Logging");
    ASSERT_NE(item, nullptr);
    EXPECT_TRUE(frm->menuBar()->actions().contains(item));
    EXPECT_EQ(item->menu(), nullptr);
    QStringList bar;
    for (QAction *a : frm->menuBar()->actions())
        bar << a->text();
    EXPECT_EQ(bar, (QStringList{"&Options", "&View", "Logging", "Help"}));
    item->trigger();
    EXPECT_TRUE(Form().isVisible());
}

TEST_F(LoggingTest, StartAndStopMessagesAndControls)
{
    Start("");
    EXPECT_EQ(Memo(), "Logging failed to create file  at " + kNow + "\n");
    EXPECT_EQ(StartStopCaption(), "Start Logging");
    EXPECT_FALSE(frm->LogIsActive());
    EXPECT_EQ(Control<QTabWidget>("PageControl1")->currentWidget()->objectName(), "Logging");

    Start("log.klt");
    EXPECT_TRUE(Memo().endsWith("\nLogging started at " + kNow + "\n"));
    EXPECT_EQ(StartStopCaption(), "Stop Logging");
    EXPECT_TRUE(frm->LogIsActive());
    for (const char *name : {"SpeedButton1", "FileNameEdit", "OverWriteRadioButton", "AppendRadioButton"})
        EXPECT_FALSE(Control(name)->isEnabled()) << name;

    clock.AdvanceSeconds(60);
    Stop();
    EXPECT_TRUE(Memo().endsWith("\nLogging stopped at 07/12/2026 12:31:05\n"));
    EXPECT_FALSE(frm->LogIsActive());
    for (const char *name : {"SpeedButton1", "FileNameEdit", "OverWriteRadioButton", "AppendRadioButton"})
        EXPECT_TRUE(Control(name)->isEnabled()) << name;
    const int reopened = OpenMessageLog(cwd.Path("log.klt").toStdString(), false);
    EXPECT_GE(reopened, 0) << "stopping closes the file";
    CloseMessageLog(reopened);

    // A file another process writes gives the failure message and leaves that file alone.
    cwd.Write("held.klt", "theirs\r\n");
    const int holder = OpenMessageLog(cwd.Path("held.klt").toStdString(), false);
    Start("held.klt", true);
    EXPECT_TRUE(Memo().endsWith("Logging failed to create file " + cwd.Path("held.klt") + " at 07/12/2026 12:31:05\n"));
    EXPECT_FALSE(frm->LogIsActive());
    Feed(2);
    EXPECT_EQ(cwd.Read("held.klt"), "theirs\r\n");
    CloseMessageLog(holder);
}

TEST_F(LoggingTest, NotConnectedChangesNothing)
{
    Button("Connect")->click(); // disconnect
    ASSERT_FALSE(frm->IsConnected());
    const QString before = Memo();
    Start("log.klt");
    EXPECT_EQ(Memo(), before + "Logging error: You must be connected to Data Server to start logging !\n");
    EXPECT_EQ(StartStopCaption(), "Start Logging");
    EXPECT_FALSE(frm->LogIsActive());
    EXPECT_FALSE(QFile::exists(cwd.Path("log.klt")));
}

TEST_F(LoggingTest, WorkedExampleRecordIsWrittenThroughBeforeTheNextMessage)
{
    frm->findChild<QLineEdit *>("GEO_PRN")->setText("120.7");
    Start("log.klt");
    // GPS week 1525 began on 29 March 2009; 4 d 1 h 2 min 3 s later is 2 April 2009 01:02:03.
    tow_ = 4 * 86400 + 3600 + 2 * 60 + 3;
    sbas::FastCorrectionsMsg fc;
    fc.prc[0] = 1.5;
    SbasFrame frame = sbas::FastCorrections(fc);
    Feed(frame, 1525);
    const QByteArray first = "120 09 04 02 01 02 03 2 " + QByteArray::fromStdString(frame.Hex()) + "\r\n";
    EXPECT_EQ(first.size(), 24 + 64 + 2);
    EXPECT_EQ(cwd.Read("log.klt"), first) << "on disk while the file is still open";

    // A GEO box that is not a number costs the record its PRN, not the message its processing.
    frm->findChild<QLineEdit *>("GEO_PRN")->setText("NA");
    tow_ = 0;
    Feed(SbasFrame(6), 1525);
    EXPECT_TRUE(ui.errorReports.isEmpty());
    EXPECT_EQ(Caption("MsgType"), "Message Type: 6");
    EXPECT_TRUE(cwd.Read("log.klt").startsWith(first + "0 09 03 29 00 00 00 6 "));
}

TEST_F(LoggingTest, OverwriteOrAppendAnExistingFile)
{
    const struct {
        const char *name;
        bool overwrite;
        std::vector<int> types;
    } rows[] = {{"append", false, {8, 2}}, {"overwrite", true, {2}}};
    for (const auto &row : rows) {
        cwd.Write("log.klt", "");
        Start("log.klt", true);
        Feed(8);
        Stop();
        Start("log.klt", row.overwrite);
        Feed(2);
        Stop();
        EXPECT_EQ(LoggedTypes(), row.types) << row.name;
    }
}

TEST_F(LoggingTest, TypeSelection)
{
    sbas::FastCorrectionsMsg empty;
    empty.type = 0;
    sbas::FastCorrectionsMsg carrying = empty;
    carrying.prc[3] = 2.0;
    const struct {
        const char *name;
        bool all;
        std::set<int> boxes;
        std::vector<SbasFrame> fed;
        std::vector<int> logged;
    } rows[] = {
        {"all, with type 8 that has no box", true, {}, {SbasFrame(2), SbasFrame(8), SbasFrame(63)}, {2, 8, 63}},
        {"only MT 2", false, {2}, {SbasFrame(2), SbasFrame(63), SbasFrame(8), SbasFrame(3)}, {2}},
        {"MT 0 logged as type 0", false, {0}, {sbas::FastCorrections(empty), sbas::FastCorrections(carrying)}, {0, 0}},
        {"MT 0 not logged under MT 2", false, {2}, {sbas::FastCorrections(carrying)}, {}},
    };
    for (const auto &row : rows) {
        if (Control<QCheckBox>("CheckBoxAll")->isChecked() != row.all)
            Control<QCheckBox>("CheckBoxAll")->click();
        for (const int type : TFrmLogging::kBoxedTypes)
            Control<QCheckBox>("CheckBoxMT" + QString::number(type))->setChecked(row.boxes.count(type) > 0);
        Start("log.klt", true);
        for (const SbasFrame &f : row.fed)
            Feed(f);
        Stop();
        EXPECT_EQ(LoggedTypes(), row.logged) << row.name;
    }
}

TEST_F(LoggingTest, SelectionChangesWhileLogging)
{
    Start("log.klt");
    Feed(2);
    Control<QCheckBox>("CheckBoxAll")->click(); // off: nothing until a type box is clicked
    EXPECT_TRUE(Control("CheckBoxMT2")->isEnabled());
    Feed(2);
    Feed(8);
    Control<QCheckBox>("CheckBoxMT2")->click();
    Feed(2);
    Feed(3);
    // Showing the window again keeps the boxes' selection in force.
    frm->LoggingClick();
    Form().hide();
    frm->LoggingClick();
    Feed(2);
    Control<QCheckBox>("CheckBoxAll")->click(); // on again: every type
    EXPECT_FALSE(Control("CheckBoxMT2")->isEnabled());
    Feed(8);
    EXPECT_EQ(LoggedTypes(), (std::vector<int>{2, 2, 2, 8}));
}

TEST_F(LoggingTest, BrowseFillsTheNameAndKeepsTheCurrentDirectory)
{
    const QString cwdBefore = QDir::currentPath();
    QTemporaryDir elsewhere;
    ui.onSaveFile = [&] {
        QDir::setCurrent(elsewhere.path()); // as a native dialog may do
        return elsewhere.path() + "/chosen.klt";
    };
    Control<QToolButton>("SpeedButton1")->click();
    EXPECT_EQ(Control<QLineEdit>("FileNameEdit")->text(), elsewhere.path() + "/chosen.klt");
    EXPECT_EQ(QDir::currentPath(), cwdBefore);
    EXPECT_EQ(ui.saveDialogs, QStringList{"KLT (*.klt)|klt"});

    ui.onSaveFile = [] { return QString(); };
    Control<QToolButton>("SpeedButton1")->click();
    EXPECT_EQ(Control<QLineEdit>("FileNameEdit")->text(), elsewhere.path() + "/chosen.klt") << "cancelled";
}

TEST_F(LoggingTest, DiskLoggingLampBlinksWhileLoggingAndGoesOffWhenItStops)
{
    auto *lamp = frm->findChild<QLabel *>("DiskLoggingOn");
    frm->TimerQITimer();
    EXPECT_TRUE(lamp->isHidden()) << "idle: the lamp stays off";
    Start("log.klt");
    std::vector<bool> lit;
    for (int i = 0; i < 3; ++i) {
        frm->TimerQITimer();
        lit.push_back(!lamp->isHidden());
    }
    EXPECT_EQ(lit, (std::vector<bool>{true, false, true}));
    Stop();

    const struct {
        const char *name;
        int ticks; // lit after an odd number
        bool disconnectFirst;
    } rows[] = {
        {"stopped in the lit half", 1, false},
        {"stopped in the dark half", 2, false},
        {"disconnected, then stopped in the lit half", 3, true},
    };
    for (const auto &row : rows) {
        Start("log.klt");
        for (int i = 0; i < row.ticks; ++i)
            frm->TimerQITimer();
        ASSERT_EQ(lamp->isHidden(), row.ticks % 2 == 0) << row.name;
        if (row.disconnectFirst) {
            Button("Connect")->click();
            ASSERT_FALSE(frm->IsConnected()) << row.name;
        }
        Stop();
        EXPECT_TRUE(lamp->isHidden()) << row.name;
        frm->TimerQITimer();
        EXPECT_TRUE(lamp->isHidden()) << row.name << ": and stays off";
    }
}

// A record that cannot be written whole stops the recording with the reason, in the memo and
// the log window; the file keeps its whole records only.
TEST_F(LoggingTest, AFailedWriteStopsLoggingAndSaysWhy)
{
    const struct {
        const char *name, *file;
        std::function<void()> breakIt; // after the first record
        QString reason;
    } rows[] = {
        {"a short write", "log.klt", [] {}, "the log file has reached the largest size allowed (File too large)"},
        {"the folder removed", "sub/log.klt", [this] { QDir(cwd.Path("sub")).removeRecursively(); },
         "the log file or its folder was removed"},
    };
    const QString line = "Logging stopped: %1 at 07/12/2026 12:30:05";
    for (const auto &row : rows) {
        QDir(cwd.Path("")).mkpath("sub");
        Start(row.file);
        Feed(2);
        const QByteArray first = cwd.Read(row.file);
        ASSERT_EQ(first.size(), 90) << row.name; // "PRN yy mm dd hh nn ss 2 " and 64 digits, CR LF
        frm->TimerQITimer(); // the lamp lit
        row.breakIt();
        {
            // Room for half of the next record: 90 + 45 bytes.
            FileSizeLimit limit(135);
            Feed(3);
        }
        EXPECT_TRUE(Memo().endsWith(line.arg(row.reason) + "\n")) << row.name << ": " << Memo().toStdString();
        EXPECT_TRUE(LogText().contains(line.arg(row.reason))) << row.name;
        EXPECT_FALSE(frm->LogIsActive()) << row.name;
        EXPECT_EQ(StartStopCaption(), "Start Logging") << row.name;
        EXPECT_TRUE(Control("FileNameEdit")->isEnabled()) << row.name;
        EXPECT_TRUE(frm->findChild<QLabel *>("DiskLoggingOn")->isHidden()) << row.name;
        if (QFile::exists(cwd.Path(row.file))) {
            Feed(4); // nothing more is written
            EXPECT_EQ(cwd.Read(row.file), first) << row.name;
        }
    }
}

TEST_F(LoggingTest, AFifoAsLogFileFailsAtOnce)
{
    ASSERT_EQ(::mkfifo(cwd.Path("fifo.klt").toLocal8Bit().constData(), 0600), 0);
    Start("fifo.klt");
    EXPECT_EQ(Memo(), "Logging failed to create file " + cwd.Path("fifo.klt") + " at " + kNow + "\n");
    EXPECT_FALSE(frm->LogIsActive());
    EXPECT_EQ(StartStopCaption(), "Start Logging");
}

// Screen readers and the keyboard change the boxes without a mouse click; what counts is the
// state of a box, however it changed.
TEST_F(LoggingTest, TypeBoxesFollowTheirStateHoweverItChanges)
{
    const auto toggle = [](QCheckBox *box) {
        QAccessible::queryAccessibleInterface(box)->actionInterface()->doAction(
            QAccessibleActionInterface::toggleAction());
    };
    auto *all = Control<QCheckBox>("CheckBoxAll");
    auto *mt2 = Control<QCheckBox>("CheckBoxMT2");
    Start("log.klt");
    toggle(all);
    ASSERT_FALSE(all->isChecked());
    EXPECT_TRUE(mt2->isEnabled());
    Feed(2); // nothing is recorded until a type box is chosen
    toggle(mt2);
    Feed(2);
    Feed(3);
    all->setFocus();
    QTest::keyClick(all, Qt::Key_Space);
    ASSERT_TRUE(all->isChecked());
    EXPECT_FALSE(mt2->isEnabled());
    Feed(8);
    EXPECT_EQ(LoggedTypes(), (std::vector<int>{2, 8}));
}

TEST_F(LoggingTest, TheStartStopButtonIsReadOutByItsCaption)
{
    auto *button = Control<QPushButton>("StartStopButton");
    const auto spoken = [&] { return QAccessible::queryAccessibleInterface(button)->text(QAccessible::Name); };
    EXPECT_EQ(spoken(), "Start Logging");
    Start("log.klt");
    EXPECT_EQ(spoken(), "Stop Logging");
    Stop();
    EXPECT_EQ(spoken(), "Start Logging");
}

// The client logs every type of a replay from its start; the log must equal the recording.
class ReplayLoggingTest : public SessionTest {
protected:
    QStringList ReplayAndLog(Recording recording, const std::string &prn)
    {
        ServerOptions o;
        o.port = 0;
        o.speed = 0;
        const int expected = static_cast<int>(recording.Size());
        server = std::make_unique<Du2roServer>(std::move(recording), o);
        QString error;
        EXPECT_TRUE(server->Listen(error)) << error.toStdString();
        StartClient();
        frm->GeoTableRef().Row(1).prn = prn;
        auto *form = frm->LoggingForm();
        form->findChild<QLineEdit *>("FileNameEdit")->setText(cwd.Path("replay.klt"));
        // Start the moment the stream is asked for: every line after it belongs to the stream.
        QObject::connect(Socket(), &DataServerSocket::Written, form, [form](const QByteArray &b) {
            if (b == "START\r\n")
                form->findChild<QPushButton *>("StartStopButton")->click();
        });
        Button("Connect")->click();
        QByteArray log;
        WaitFor([&] {
            log = QFile::exists(cwd.Path("replay.klt")) ? cwd.Read("replay.klt") : QByteArray();
            return log.count('\n') >= expected;
        }, 20000);
        QTest::qWait(100); // nothing more may follow
        log = cwd.Read("replay.klt");
        QStringList lines = QString::fromLatin1(log).split("\r\n");
        EXPECT_EQ(lines.takeLast(), "") << "every line ends with CR LF";
        return lines;
    }
};

TEST_F(ReplayLoggingTest, LogOfAReplayEqualsTheRecording)
{
    std::vector<SbasFrame> frames = TypicalFrames();
    for (const int type : {0, 6, 7, 8, 9, 10, 12, 17, 18, 24, 25, 26, 27, 28, 62})
        frames.push_back(SbasFrame(type));
    const std::vector<std::string> records = Records(frames);
    QStringList expected;
    for (const std::string &r : records)
        expected << QString::fromStdString(r).chopped(2);
    EXPECT_EQ(ReplayAndLog(Recording::FromRecords(records), "124"), expected);
}

// The real recordings, when VELMAR_RECORDINGS names their directory.
TEST_F(ReplayLoggingTest, RealRecordingsComeBackUnchanged)
{
    const QString dir = qEnvironmentVariable("VELMAR_RECORDINGS");
    if (dir.isEmpty())
        GTEST_SKIP() << "VELMAR_RECORDINGS not set";
    const QString name = qEnvironmentVariable("VELMAR_RECORDING", "recording-a.txt");
    const std::string path = (dir + "/" + name).toStdString();
    std::string error;
    auto recording = Recording::Load(path, error);
    ASSERT_TRUE(recording) << error;
    QStringList expected;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);)
        if (ParseLogRecord(line))
            expected << QString::fromStdString(line);
    const std::string prn = expected.first().section(' ', 0, 0).toStdString();
    const QStringList logged = ReplayAndLog(std::move(*recording), prn);
    ASSERT_EQ(logged.size(), expected.size());
    int differing = 0;
    for (int i = 0; i < logged.size(); ++i)
        differing += logged[i] != expected[i];
    EXPECT_EQ(differing, 0);
    std::cout << name.toStdString() << ": " << logged.size() << " lines logged, " << differing << " differing\n";
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
