// Messages per second through the socket: the replay server (its own process) sends a real
// recording as fast as the application takes it, into the main window (offscreen) with every
// message window shown. Each recording present at start-up gets a benchmark.
// Run: QT_QPA_PLATFORM=offscreen build/benchmarks/bench_replay
#include "auth_dlg.h"
#include "mainfrm.h"
#include "mops/gpstime.h"
#include "output/log_record.h"
#include "message_window.h"
#include "sis_mode_form.h"
#include "time/clock.h"
#include "ui_seam.h"

#include "support/signed_in_ui.h"
#include "support/recordings_dir.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <optional>

namespace {

quint16 FreePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

// How many records the recording holds, and the time field the server gives the last one.
struct RecordingFacts {
    int records = 0;
    QString lastTime;
};

RecordingFacts Facts(const std::string &path)
{
    RecordingFacts f;
    std::ifstream in(path);
    std::optional<LogRecord> last;
    for (std::string line; std::getline(in, line);)
        if (auto r = ParseLogRecord(line)) {
            ++f.records;
            last = r;
        }
    if (last)
        f.lastTime = "GPS Time: " + QString::number(static_cast<qint64>(DateTimeToGPSTime(last->time).seconds));
    return f;
}

bool ServerListens(quint16 port)
{
    QTcpSocket probe;
    probe.connectToHost(QHostAddress::LocalHost, port);
    return probe.waitForConnected(100);
}

void Replay(benchmark::State &state, const std::string &recording)
{
    const RecordingFacts facts = Facts(recording);
    if (facts.records == 0) {
        state.SkipWithError("empty recording");
        return;
    }
    QTemporaryDir dir;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path());
    double rates = 0;
    for (auto _ : state) {
        const quint16 port = FreePort();
        QProcess server;
        server.start(VELMAR_SERVER, {"--port", QString::number(port), "--recording", QString::fromStdString(recording),
                                     "--speed", "max"});
        if (!server.waitForStarted(5000)) {
            state.SkipWithError("cannot start du2ro-server");
            break;
        }
        if (!WaitFor([&] { return ServerListens(port); }, 10000)) {
            state.SkipWithError("du2ro-server does not listen");
            break;
        }
        ClientConfig{port}.Write();
        SignInUi ui;
        SystemClock clock;
        TMainFrm frm(ui, clock);
        frm.FormShow();
        frm.show();
        for (TMessageWindow *w : frm.findChildren<TMessageWindow *>())
            w->show();
        if (auto *status = frm.findChild<TFrmSISMode *>())
            status->show();
        QApplication::processEvents();
        // Every message handled writes its text: the count of texts tells when all are in.
        int texts = 0;
        QObject::connect(frm.findChild<QLineEdit *>("Msg"), &QLineEdit::textChanged, [&] { ++texts; });
        const auto *time = frm.findChild<QLabel *>("Time");
        QElapsedTimer elapsed;
        elapsed.start();
        frm.findChild<QPushButton *>("Connect")->click();
        // The request phase answers up to 19 texts before the stream's own, the last
        // record's among them: the stream is in once both its count and its end are.
        const bool done = WaitFor([&] { return texts >= facts.records - 20 && time->text() == facts.lastTime; }, 120000);
        const double seconds = static_cast<double>(elapsed.nsecsElapsed()) / 1e9;
        server.kill();
        server.waitForFinished(5000);
        if (!done) {
            state.SkipWithError("the stream did not arrive whole");
            break;
        }
        state.SetIterationTime(seconds);
        rates += facts.records / seconds;
    }
    state.counters["messages_per_s"] = benchmark::Counter(rates, benchmark::Counter::kAvgIterations);
    QDir::setCurrent(previous);
}

void RegisterRecordings()
{
    const std::string dir = RecordingsDir();
    int found = 0;
    for (const char *name : {"recording-a.txt", "recording-b.txt", "recording-c.txt"}) {
        const std::string path = dir + "/" + name;
        if (!std::ifstream(path))
            continue;
        ++found;
        benchmark::RegisterBenchmark((std::string("BM_SocketReplay/") + name).c_str(),
                                     [path](benchmark::State &s) { Replay(s, path); })
            ->UseManualTime()
            ->Iterations(3)
            ->Unit(benchmark::kMillisecond);
    }
    if (found == 0)
        std::fprintf(stderr, "No real recordings in %s: the socket replay benchmarks are skipped.\n", dir.c_str());
}

// Registered as the program starts, before the shared main runs the benchmarks.
const bool registered = (RegisterRecordings(), true);

} // namespace
