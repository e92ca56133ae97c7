// What the signal watch costs the intake of a real recording, in one run: the replay server (its
// own process) sends the recording as fast as the application takes it, once with the watch on
// and once with it off, in turns; the least processor time of each (of the application's thread,
// so that other programs on the machine weigh little) gives the ratio (extra_pct, the goal is
// under 10). Then what a second of the Signal Events window costs once the hour is in.
// Run: QT_QPA_PLATFORM=offscreen build/benchmarks/bench_watch [--benchmark_filter=recording-c]
#include "codec/pardo.h"
#include "link/message_intake.h"
#include "mainfrm.h"
#include "mops/gpstime.h"
#include "output/log_record.h"
#include "overview_form.h"
#include "signal_events_form.h"
#include "time/clock.h"

#include "support/recordings_dir.h"
#include "support/resident_memory.h"
#include "support/signed_in_ui.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <fstream>
#include <optional>

#include <ctime>

namespace {

// CPU time of this thread, which does all the work of the intake: unlike the time on the wall
// it does not count the time other programs of a busy machine take the processor.
double ThreadSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

quint16 FreePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

bool ServerListens(quint16 port)
{
    QTcpSocket probe;
    probe.connectToHost(QHostAddress::LocalHost, port);
    return probe.waitForConnected(100);
}

// The time caption of the recording's last record: the stream is in once it is shown.
QString LastTime(const std::string &path)
{
    std::ifstream in(path);
    std::optional<LogRecord> last;
    for (std::string line; std::getline(in, line);)
        if (auto r = ParseLogRecord(line))
            last = r;
    return last ? "GPS Time: " + QString::number(static_cast<qint64>(DateTimeToGPSTime(last->time).seconds)) : QString();
}

struct Run {
    double seconds = -1; // -1: the stream did not arrive whole
    uint64_t events = 0;
    std::array<int, kEventKinds> kinds{}; // events kept, by kind
    double heapMiB = 0;
};

// One replay of the recording into a fresh main window; `then` sees the window once it is in.
template <typename Then>
Run Replay(const std::string &recording, const QString &lastTime, bool watching, Then then)
{
    Run run;
    const quint16 port = FreePort();
    QProcess server;
    server.start(VELMAR_SERVER, {"--port", QString::number(port), "--recording", QString::fromStdString(recording),
                                 "--speed", "max"});
    if (!server.waitForStarted(5000) || !WaitFor([&] { return ServerListens(port); }, 10000))
        return run;
    ClientConfig{port}.Write();
    SignInUi ui;
    SystemClock clock;
    TMainFrm frm(ui, clock);
    frm.FormShow();
    frm.show();
    frm.OverviewForm()->Model().SetWatching(watching);
    QApplication::processEvents();
    const auto *time = frm.findChild<QLabel *>("Time");
    const double start = ThreadSeconds();
    frm.findChild<QPushButton *>("Connect")->click();
    const bool done = WaitFor([&] { return time->text() == lastTime; }, 120000);
    const double seconds = ThreadSeconds() - start;
    server.kill();
    server.waitForFinished(5000);
    if (!done)
        return run;
    run.seconds = seconds;
    run.events = frm.OverviewForm()->Model().Watch().Events().Next();
    for (const WatchEvent &e : frm.OverviewForm()->Model().Watch().Events().Events())
        ++run.kinds[static_cast<std::size_t>(e.kind)];
    run.heapMiB = HeapInUseMiB();
    then(frm);
    return run;
}

void WatchShare(benchmark::State &state, const std::string &recording)
{
    const QString lastTime = LastTime(recording);
    QTemporaryDir dir;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path());
    double with = 1e9, without = 1e9;
    Run last;
    int turn = 0;
    for (auto _ : state) {
        // In turns, so that a busy machine weighs on both alike.
        const std::array<bool, 2> order = {turn % 2 == 0, turn % 2 != 0};
        ++turn;
        for (const bool watching : order) {
            const Run run = Replay(recording, lastTime, watching, [](TMainFrm &) {});
            if (run.seconds < 0) {
                state.SkipWithError("the stream did not arrive whole");
                QDir::setCurrent(previous);
                return;
            }
            (watching ? with : without) = std::min(watching ? with : without, run.seconds);
            if (watching)
                last = run;
        }
        state.SetIterationTime(with);
    }
    state.counters["with_ms"] = with * 1e3;
    state.counters["without_ms"] = without * 1e3;
    state.counters["extra_pct"] = (with - without) / without * 100;
    state.counters["events"] = static_cast<double>(last.events);
    state.counters["heap_MiB"] = last.heapMiB;
    for (int k = 0; k < kEventKinds; ++k)
        if (last.kinds[static_cast<std::size_t>(k)] > 0)
            state.counters[KindName(static_cast<EventKind>(k))] = last.kinds[static_cast<std::size_t>(k)];
    QDir::setCurrent(previous);
}

// The same without the socket, for a steadier figure. The recording's lines are handed to the
// main window's intake one after another with the watch off (intake_ms); then the messages, as
// the intake hands them on, go to the signal overview alone, again and again, with the watch on
// and off, over the shared state the windows left (watch_us_per_message, live stream and all).
// extra_pct is the watch's share of the intake: watch time over the intake without it.
void WatchShareInProcess(benchmark::State &state, const std::string &recording)
{
    std::vector<std::string> lines;
    {
        std::ifstream in(recording);
        for (std::string line; std::getline(in, line);)
            if (auto r = ParseLogRecord(line)) {
                const GpsWeekTime g = DateTimeToGPSTime(r->time);
                TPARDO p;
                p.Data = r->hex + "000";
                p.Compress();
                lines.push_back("*MSG," + std::to_string(g.week) + "," +
                                std::to_string(static_cast<int>(g.seconds)) + "," + p.Data);
            }
    }
    std::vector<TMOPSMsg> messages;
    std::vector<int> shown;
    std::vector<double> seconds;
    MessageIntake intake;
    IntakeSession streaming;
    streaming.requestCount = kRequestCount;
    for (const std::string &line : lines) {
        const IntakeOutcome &out = intake.Take(line, streaming);
        if (!out.message)
            continue;
        messages.push_back(*out.message);
        shown.push_back(out.shownType);
        seconds.push_back(out.gpsSeconds);
    }

    SignInUi ui;
    SystemClock clock;
    double intakeSeconds = 1e9, on = 1e9, off = 1e9;
    for (auto _ : state) {
        TMainFrm frm(ui, clock);
        frm.OverviewForm()->Model().SetWatching(false);
        const double start = ThreadSeconds();
        for (const std::string &line : lines)
            frm.HandleMsgLine(line);
        intakeSeconds = std::min(intakeSeconds, ThreadSeconds() - start);
        for (const bool watching : {true, false}) {
            SignalOverview alone(frm.PrnMask(), frm.Igp());
            alone.SetWatching(watching);
            const double t0 = ThreadSeconds();
            for (std::size_t i = 0; i < messages.size(); ++i)
                alone.NoteMessage(seconds[i], messages[i], shown[i], true, BroadcastMode::ModeSOL);
            (watching ? on : off) = std::min(watching ? on : off, ThreadSeconds() - t0);
            benchmark::DoNotOptimize(alone.Revision());
        }
        state.SetIterationTime(intakeSeconds);
    }
    state.counters["intake_ms"] = intakeSeconds * 1e3;
    state.counters["watch_us_per_message"] = (on - off) / static_cast<double>(messages.size()) * 1e6;
    state.counters["extra_pct"] = (on - off) / intakeSeconds * 100;
}

// A second of the shown Signal Events window after the hour: the new rows only, or the whole
// log laid anew when a filter changes.
void EventsWindowSecond(benchmark::State &state, const std::string &recording)
{
    const QString lastTime = LastTime(recording);
    QTemporaryDir dir;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path());
    Replay(recording, lastTime, true, [&](TMainFrm &frm) {
        auto *events = frm.findChild<TFrmEvents *>();
        events->show();
        QApplication::processEvents();
        const bool relay = state.range(0) == 1; // 1: a filter clicked each time
        for (auto _ : state) {
            if (relay) {
                events->ShowBox(EventKind::Gap)->toggle(); // the user's click: laid anew
            } else {
                events->Tick();
            }
            QApplication::processEvents();
        }
        state.counters["rows"] = static_cast<double>(frm.OverviewForm()->Model().Watch().Events().Events().size());
    });
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
        benchmark::RegisterBenchmark((std::string("BM_WatchShareOfTheIntake/") + name).c_str(),
                                     [path](benchmark::State &s) { WatchShare(s, path); })
            ->UseManualTime()
            ->Iterations(8)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark((std::string("BM_WatchShareInProcess/") + name).c_str(),
                                     [path](benchmark::State &s) { WatchShareInProcess(s, path); })
            ->UseManualTime()
            ->Iterations(10)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark((std::string("BM_EventsWindowAfterTheHour/") + name).c_str(),
                                     [path](benchmark::State &s) { EventsWindowSecond(s, path); })
            ->Arg(0)
            ->Arg(1)
            ->Unit(benchmark::kMillisecond);
    }
    if (found == 0)
        std::fprintf(stderr, "No real recordings in %s: the watch benchmarks are skipped.\n", dir.c_str());
}

// Registered as the program starts, before the shared main runs the benchmarks.
const bool registered = (RegisterRecordings(), true);

} // namespace
