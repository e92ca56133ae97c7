// Soak and throughput: the main window (offscreen, every window shown, the message log on)
// connected to a du2ro-server child process. First the bundled hour as fast as the server
// sends it, repeated, with messages per second and resident memory after repetitions 1, 5 and
// 10 (and every fifth after); then the live rate of one message a second, with the CPU time the application used.
// Run: QT_QPA_PLATFORM=offscreen build/benchmarks/bench_soak [live_seconds=120] [repetitions=10]
#include "support/fault_matrix.h"

#include "support/resident_memory.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QRegularExpression>
#include <QTimer>

#include <cstdio>
#include <fstream>
#include <sys/resource.h>
#include <unistd.h>

namespace {

double CpuSeconds()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// A replay server child on a free port; 0 when it did not start.
quint16 StartServer(QProcess &server, const QStringList &options)
{
    server.setProgram(VELMAR_SERVER_BINARY);
    server.setArguments(QStringList{"--port", "0", "--recording", VELMAR_DEMO_RECORDING} + options);
    server.start();
    if (!server.waitForReadyRead(10000))
        return 0;
    const auto m = QRegularExpression(":(\\d+), ").match(QString::fromLocal8Bit(server.readLine()));
    return m.hasMatch() ? static_cast<quint16>(m.captured(1).toUInt()) : 0;
}

struct Client {
    TempCwd cwd;
    ScriptedUi ui;
    FakeClock clock;
    std::unique_ptr<TMainFrm> frm;

    explicit Client(quint16 port)
    {
        ClientConfig{port, "Subscribe", ReplayServerGeoRow(port)}.Write(cwd.Path("userapp.cfg"));
        ui.onDialog = SignIn;
        frm = std::make_unique<TMainFrm>(ui, clock);
        frm->FormShow();
        frm->show();
        for (QWidget *w : QApplication::topLevelWidgets())
            if (!qobject_cast<QDialog *>(w))
                w->show();
        frm->SetOutputFileName(cwd.Path("messages.txt").toStdString());
        for (int type = 0; type < 64; ++type)
            frm->SetLogTypeEnabled(type, true);
        frm->SetLogActive(true);
        frm->OpenLogFile();
    }
    QPushButton *Connect() { return frm->findChild<QPushButton *>("Connect"); }
    QString Time() { return frm->findChild<QLabel *>("Time")->text(); }
};

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const int liveSeconds = argc > 1 ? std::atoi(argv[1]) : 120;
    const int repetitions = argc > 2 ? std::atoi(argv[2]) : 10;
    std::string error;
    const auto hour = Recording::Load(VELMAR_DEMO_RECORDING, error);
    if (!hour) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    const auto last = hour->At(static_cast<int64_t>(hour->Size()) - 1);
    const QString lastTime = "GPS Time: " + QString::number(last.tow, 'f', 0);

    QProcess fast;
    const quint16 fastPort = StartServer(fast, {"--speed", "max"});
    if (fastPort == 0) {
        std::fprintf(stderr, "the replay server did not start\n");
        return 1;
    }
    // The fast client goes before the live one starts, so that its windows' timers are not counted.
    {
        Client client(fastPort);
        const double startMiB = ResidentMiB();
        std::printf("start: rss_mib %.1f, heap_mib %.2f, %zu messages an hour\n", startMiB, HeapInUseMiB(), hour->Size());
        for (int rep = 1; rep <= repetitions; ++rep) {
            client.frm->findChild<QLabel *>("Time")->clear();
            QElapsedTimer wall;
            wall.start();
            client.Connect()->click();
            if (!QTest::qWaitFor([&] { return client.Time() == lastTime; }, 600000)) {
                std::fprintf(stderr, "repetition %d: the hour did not come through\n", rep);
                return 1;
            }
            const double seconds = wall.elapsed() / 1000.0;
            client.Connect()->click(); // Disconnect
            if (!QTest::qWaitFor([&] { return client.Connect()->text() == "Connect"; }, 10000))
                std::fprintf(stderr, "repetition %d: no disconnection\n", rep);
            std::printf("repetition %2d: %7.0f msg/s end to end (%.1f s)%s\n", rep,
                        static_cast<double>(hour->Size()) / seconds, seconds,
                        (rep == 1 || rep % 5 == 0)
                            ? qPrintable(QString("  rss_mib %1 (+%2), heap_mib %3")
                                            .arg(ResidentMiB(), 0, 'f', 1)
                                            .arg(ResidentMiB() - startMiB, 0, 'f', 1)
                                            .arg(HeapInUseMiB(), 0, 'f', 2))
                            : "");
            std::fflush(stdout);
        }
    }
    fast.terminate();
    fast.waitForFinished();

    QProcess live;
    const quint16 livePort = StartServer(live, {"--speed", "1", "--loop"});
    Client liveClient(livePort);
    liveClient.Connect()->click();
    if (!QTest::qWaitFor([&] { return liveClient.Time().size() > 10; }, 10000))
        std::fprintf(stderr, "live: no message within 10 s\n");
    const double cpu0 = CpuSeconds();
    QElapsedTimer wall;
    wall.start();
    // An event loop of its own: QTest::qWait wakes every 10 ms, which would be counted here.
    QEventLoop idle;
    QTimer::singleShot(liveSeconds * 1000, &idle, &QEventLoop::quit);
    idle.exec();
    const double cpu = CpuSeconds() - cpu0;
    std::printf("live rate 1 msg/s over %d s: cpu %.3f s = %.3f %% of one core, rss_mib %.1f\n", liveSeconds, cpu,
                100.0 * cpu / (wall.elapsed() / 1000.0), ResidentMiB());
    live.terminate();
    live.waitForFinished();
    return 0;
}
