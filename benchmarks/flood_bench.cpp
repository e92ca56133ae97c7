// How long the window stays unanswered while a flood of server lines is handled: the main
// window (offscreen) connected to a loopback replay server that sends 100,000 lines at once.
// "longest_gap_ms" is the longest pause between two ticks of a 10 ms timer meanwhile, which is
// how long a click or a repaint would wait.
// Run: QT_QPA_PLATFORM=offscreen build/benchmarks/bench_flood
#include "auth_dlg.h"
#include "du2ro_server.h"
#include "mainfrm.h"
#include "output/log_record.h"
#include "sbas_encoder.h"
#include "text_frm.h"
#include "time/clock.h"
#include "ui_seam.h"

#include "support/signed_in_ui.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <functional>

namespace {

constexpr int kFloodLines = 100000;

void Flood(benchmark::State &state, const QByteArray &line)
{
    QTemporaryDir dir;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path());
    ServerOptions options;
    options.port = 0;
    options.speed = 0;
    std::vector<std::string> records;
    for (int i = 0; i < 3; ++i)
        records.push_back(FormatLogRecord(124, 1, 2443, 1000 + i, sbas::PrnMask({1, 2, 3}, 1).Hex(i)));
    Du2roServer server(Recording::FromRecords(records), options);
    QString error;
    if (!server.Listen(error)) {
        state.SkipWithError("cannot listen");
        return;
    }
    ClientConfig{server.Port()}.Write();
    SignInUi ui;
    SystemClock clock;
    TMainFrm frm(ui, clock);
    frm.FormShow();
    frm.findChild<QPushButton *>("Connect")->click();
    if (!WaitFor([&] { return frm.findChild<QLabel *>("Time")->text() == "GPS Time: 1002"; }, 10000)) {
        state.SkipWithError("no stream");
        return;
    }
    QByteArray flood;
    for (int i = 0; i < kFloodLines; ++i)
        flood += line;
    flood += "*TXT,done\r\n";
    for (auto _ : state) {
        QElapsedTimer elapsed, sinceTick;
        qint64 longestGap = 0;
        QTimer ticker;
        ticker.setTimerType(Qt::PreciseTimer);
        QObject::connect(&ticker, &QTimer::timeout, [&] {
            longestGap = std::max(longestGap, sinceTick.restart());
        });
        elapsed.start();
        sinceTick.start();
        ticker.start(10);
        server.SendToAll(flood);
        const bool done = WaitFor([&] { return frm.TextForm() && frm.TextForm()->Text().endsWith("done"); }, 600000);
        ticker.stop();
        state.counters["longest_gap_ms"] = static_cast<double>(longestGap);
        state.counters["total_s"] = static_cast<double>(elapsed.elapsed()) / 1000;
        state.counters["lines_per_s"] = kFloodLines / (static_cast<double>(elapsed.elapsed()) / 1000);
        if (!done)
            state.SkipWithError("flood not handled within 10 minutes");
    }
    QDir::setCurrent(previous);
}

void BM_FloodOfErrorLines(benchmark::State &state) { Flood(state, "*ERR,3,Flooded\r\n"); }
void BM_FloodOfTextLines(benchmark::State &state) { Flood(state, "*TXT,flooded\r\n"); }
void BM_FloodOfMalformedMessages(benchmark::State &state) { Flood(state, "*MSG,W2443,5,C6\r\n"); }
BENCHMARK(BM_FloodOfErrorLines)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FloodOfTextLines)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FloodOfMalformedMessages)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
