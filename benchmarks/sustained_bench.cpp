// A sustained stream: a real recording replayed in a loop as fast as the application takes it,
// into the main window (offscreen) with every window shown and the message log on. Every 10 s
// it prints the messages handled per second in that span, the CPU time per message and the
// resident memory, so a rate that falls or a memory that grows with time shows at once.
// Run: QT_QPA_PLATFORM=offscreen build/benchmarks/bench_sustained [seconds=60] [recording]
#include "support/fault_matrix.h"

#include "support/resident_memory.h"

#include <QApplication>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTimer>

#include <cstdio>
#include <sys/resource.h>

namespace {

double CpuSeconds()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// Counts the records the message log has gained since the last call.
class RecordCounter {
public:
    explicit RecordCounter(const QString &path) : file_(path) {}
    qint64 NewRecords()
    {
        if (!file_.isOpen() && !file_.open(QIODevice::ReadOnly))
            return 0;
        const QByteArray added = file_.readAll();
        return added.count('\n');
    }

private:
    QFile file_;
};

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 60;
    const QString recording = argc > 2 ? QString::fromLocal8Bit(argv[2])
                                       : QString(VELMAR_RECORDINGS_DIR) + "/recording-b.txt";
    if (!QFile::exists(recording)) {
        std::fprintf(stderr, "no recording %s\n", qPrintable(recording));
        return 1;
    }
    QProcess server;
    server.setProgram(VELMAR_SERVER_BINARY);
    server.setArguments({"--port", "0", "--recording", recording, "--speed", "max", "--loop"});
    server.start();
    if (!server.waitForReadyRead(10000)) {
        std::fprintf(stderr, "the replay server did not start\n");
        return 1;
    }
    const auto m = QRegularExpression(":(\\d+), ").match(QString::fromLocal8Bit(server.readLine()));
    const quint16 port = m.hasMatch() ? static_cast<quint16>(m.captured(1).toUInt()) : 0;

    TempCwd cwd;
    ScriptedUi ui;
    FakeClock clock;
    ClientConfig{port, "Subscribe", ReplayServerGeoRow(port)}.Write(cwd.Path("userapp.cfg"));
    ui.onDialog = SignIn;
    auto frm = std::make_unique<TMainFrm>(ui, clock);
    frm->FormShow();
    frm->show();
    for (QWidget *w : QApplication::topLevelWidgets())
        if (!qobject_cast<QDialog *>(w))
            w->show();
    const QString logPath = cwd.Path("messages.txt");
    frm->SetOutputFileName(logPath.toStdString());
    for (int type = 0; type < 64; ++type)
        frm->SetLogTypeEnabled(type, true);
    frm->SetLogActive(true);
    frm->OpenLogFile();
    RecordCounter records(logPath);

    std::printf("recording %s, %d s, start rss_mib %.1f\n", qPrintable(recording), seconds, ResidentMiB());
    frm->findChild<QPushButton *>("Connect")->click();
    QEventLoop loop;
    QTimer every10s;
    int elapsed = 0;
    double cpu = CpuSeconds();
    QObject::connect(&every10s, &QTimer::timeout, [&] {
        elapsed += 10;
        const qint64 n = records.NewRecords();
        const double now = CpuSeconds();
        std::printf("%4d s: %7.0f msg/s, %6.1f us cpu/msg, rss_mib %6.1f, heap_mib %6.1f\n", elapsed, n / 10.0,
                    n > 0 ? (now - cpu) * 1e6 / static_cast<double>(n) : 0.0, ResidentMiB(), HeapInUseMiB());
        std::fflush(stdout);
        cpu = now;
        if (elapsed >= seconds)
            loop.quit();
    });
    every10s.start(10000);
    loop.exec();
    frm.reset();
    server.terminate();
    server.waitForFinished();
    return 0;
}
