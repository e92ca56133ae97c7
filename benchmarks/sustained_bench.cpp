// A sustained stream: a real recording replayed in a loop as fast as the application takes it,
// into the main window (offscreen) with every window shown and the message log on. Every 10 s
// it prints the messages handled per second in that span, the CPU time per message, the
// resident memory and the longest an event waited, so a rate that falls or a memory that grows
// with time shows at once. At the end: the last minute against the first, the memory after the
// first minute against the end.
//
// End to end: before and after the application's run, a plain Qt socket reader that only counts
// the lines of the same stream (same server, same run) reads it for 10 s. The figure is the
// application's messages per CPU-second against the reader's lines per second.
// Run: QT_QPA_PLATFORM=offscreen build/benchmarks/bench_sustained [seconds=60] [recording]
// The ten-minute form: ... bench_sustained 600
#include "support/fault_matrix.h"

#include "support/resident_memory.h"
#include "support/recordings_dir.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTcpSocket>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <utility>
#include <vector>

#include <sys/resource.h>

namespace {

constexpr int kReaderSeconds = 10;

double CpuSeconds()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// Counts the records the message log has gained since the last call. Read every 100 ms through
// one small buffer: reading ten seconds of the log at once would hold the event loop up for most
// of a second and count as the application's own wait.
class RecordCounter {
public:
    explicit RecordCounter(const QString &path) : file_(path), buffer_(1 << 20)
    {
        QObject::connect(&timer_, &QTimer::timeout, [this] { counted_ += Read(); });
        timer_.start(100);
    }
    qint64 NewRecords() { return std::exchange(counted_, 0) + Read(); }

private:
    qint64 Read()
    {
        if (!file_.isOpen() && !file_.open(QIODevice::ReadOnly))
            return 0;
        qint64 lines = 0;
        for (qint64 n; (n = file_.read(buffer_.data(), static_cast<qint64>(buffer_.size()))) > 0;)
            lines += std::count(buffer_.data(), buffer_.data() + n, '\n');
        return lines;
    }
    QFile file_;
    std::vector<char> buffer_;
    QTimer timer_;
    qint64 counted_ = 0;
};

// The least a client can do with the stream: sign in, start it, count its lines.
class PlainReader {
public:
    explicit PlainReader(quint16 port)
    {
        QObject::connect(&socket_, &QTcpSocket::connected, [this] { socket_.write("AUTH,user,secret\r\n"); });
        QObject::connect(&socket_, &QTcpSocket::readyRead, [this] { Read(); });
        socket_.connectToHost(QHostAddress::LocalHost, port);
    }
    qint64 Lines() const { return lines_; }

private:
    void Read()
    {
        const QByteArray data = socket_.readAll();
        if (!started_) {
            pending_ += data;
            if (pending_.contains("*AUTH")) {
                socket_.write("START\r\n");
                started_ = true;
                pending_.clear();
            }
            return;
        }
        lines_ += data.count('\n');
    }
    QTcpSocket socket_;
    QByteArray pending_;
    bool started_ = false;
    qint64 lines_ = 0;
};

struct ReaderFigures {
    double linesPerSecond = 0;
    double cpuPerLineUs = 0;
};

// The plain reader on the stream for kReaderSeconds, after a second to get going.
ReaderFigures ReadPlainly(quint16 port)
{
    PlainReader reader(port);
    QEventLoop loop;
    QTimer::singleShot(1000, &loop, &QEventLoop::quit);
    loop.exec();
    const qint64 lines = reader.Lines();
    const double cpu = CpuSeconds();
    QElapsedTimer wall;
    wall.start();
    QTimer::singleShot(kReaderSeconds * 1000, &loop, &QEventLoop::quit);
    loop.exec();
    const double n = static_cast<double>(reader.Lines() - lines);
    ReaderFigures f;
    f.linesPerSecond = n / (static_cast<double>(wall.nsecsElapsed()) / 1e9);
    f.cpuPerLineUs = n > 0 ? (CpuSeconds() - cpu) * 1e6 / n : 0;
    std::printf("plain reader: %8.0f lines/s, %6.2f us cpu/line\n", f.linesPerSecond, f.cpuPerLineUs);
    std::fflush(stdout);
    return f;
}

// How late a timer that should fire every 20 ms comes: the longest wait of an event in a span.
class Lateness {
public:
    Lateness()
    {
        timer_.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            const qint64 late = clock_.restart() - kPeriodMs;
            longest_ = std::max(longest_, late);
        });
        clock_.start();
        timer_.start(kPeriodMs);
    }
    qint64 TakeLongestMs() { return std::exchange(longest_, 0); }

private:
    static constexpr qint64 kPeriodMs = 20;
    QTimer timer_;
    QElapsedTimer clock_;
    qint64 longest_ = 0;
};

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 60;
    const QString recording = argc > 2 ? QString::fromLocal8Bit(argv[2])
                                       : QString::fromStdString(RecordingsDir()) + "/recording-b.txt";
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

    const ReaderFigures before = ReadPlainly(port);

    TempCwd cwd;
    ScriptedUi ui;
    SystemClock clock;
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
    // Every window's first layout and paint, all at once, is not part of the stream: done first.
    QElapsedTimer settle;
    settle.start();
    while (settle.elapsed() < 1000)
        QApplication::processEvents(QEventLoop::AllEvents, 50);

    std::printf("recording %s, %d s, start rss_mib %.1f\n", qPrintable(recording), seconds, ResidentMiB());
    frm->findChild<QPushButton *>("Connect")->click();
    QEventLoop loop;
    QTimer every10s;
    Lateness lateness;
    int elapsed = 0;
    double cpu = CpuSeconds();
    const double cpuAtStart = cpu;
    qint64 total = 0;
    std::vector<qint64> perSpan;
    double rssAfterFirstMinute = 0;
    QObject::connect(&every10s, &QTimer::timeout, [&] {
        elapsed += 10;
        const qint64 n = records.NewRecords();
        const double now = CpuSeconds();
        total += n;
        perSpan.push_back(n);
        std::printf("%4d s: %7.0f msg/s, %6.1f us cpu/msg, rss_mib %6.1f, heap_mib %6.1f, longest_wait_ms %4lld\n",
                    elapsed, n / 10.0, n > 0 ? (now - cpu) * 1e6 / static_cast<double>(n) : 0.0, ResidentMiB(),
                    HeapInUseMiB(), static_cast<long long>(lateness.TakeLongestMs()));
        std::fflush(stdout);
        cpu = now;
        if (elapsed == 60)
            rssAfterFirstMinute = ResidentMiB();
        if (elapsed >= seconds) {
            every10s.stop();
            loop.quit();
        }
    });
    every10s.start(10000);
    loop.exec();
    const double appCpu = CpuSeconds() - cpuAtStart;
    const double rssAtEnd = ResidentMiB();
    frm.reset();

    const ReaderFigures after = ReadPlainly(port);
    const double appPerCpuSecond = appCpu > 0 ? static_cast<double>(total) / appCpu : 0;
    const double readerRate = (before.linesPerSecond + after.linesPerSecond) / 2;
    std::printf("application: %lld messages, %.1f us cpu/msg, %.0f msg per cpu-second\n",
                static_cast<long long>(total), total > 0 ? appCpu * 1e6 / static_cast<double>(total) : 0.0,
                appPerCpuSecond);
    std::printf("end to end: %.3f (msg per cpu-second of the application / lines per second of the plain reader)\n",
                readerRate > 0 ? appPerCpuSecond / readerRate : 0.0);
    if (perSpan.size() >= 12) {
        const auto minute = [&](std::size_t first) {
            qint64 n = 0;
            for (std::size_t i = first; i < first + 6; ++i)
                n += perSpan[i];
            return static_cast<double>(n) / 60.0;
        };
        const double firstMinute = minute(0), lastMinute = minute(perSpan.size() - 6);
        std::printf("last minute %.0f msg/s = %.0f %% of the first minute's %.0f; rss %+.1f MiB since the first minute\n",
                    lastMinute, firstMinute > 0 ? 100 * lastMinute / firstMinute : 0.0, firstMinute,
                    rssAtEnd - rssAfterFirstMinute);
    }
    server.terminate();
    server.waitForFinished();
    return 0;
}
