// What the signal overview adds to the intake of the demo hour, measured in one run: the hour
// through the intake (which feeds the overview), then the overview alone on the same messages,
// and the overview's share. And the cost of one redraw of the shown window after the hour, which
// happens at most once a second. Run: QT_QPA_PLATFORM=offscreen build/benchmarks/bench_overview
#include "codec/pardo.h"
#include "demo_schedule.h"
#include "link/message_intake.h"
#include "mainfrm.h"
#include "mops/gpstime.h"
#include "output/log_record.h"
#include "overview_form.h"
#include "time/clock.h"
#include "ui_seam.h"

#include <QApplication>
#include <QDialog>

#include <benchmark/benchmark.h>

#include <chrono>

namespace {

class NoUi final : public UiSeam {
public:
    int Exec(QDialog &) override { return QDialog::Rejected; }
    void MessageBox(QWidget *, const QString &) override {}
    void ErrorReport(QWidget *, const QString &) override {}
};

struct Hour {
    std::vector<std::string> lines; // as the server sends them
    std::vector<TMOPSMsg> messages; // as the intake hands them to the overview
    std::vector<int> shownTypes;
    std::vector<double> seconds;    // GPS seconds
};

const Hour &DemoHour()
{
    static const Hour hour = [] {
        Hour h;
        MessageIntake intake;
        IntakeSession streaming;
        streaming.requestCount = kRequestCount;
        for (const auto &record : DemoRecording({})) {
            const auto r = ParseLogRecord(record);
            const GpsWeekTime g = DateTimeToGPSTime(r->time);
            const int tow = static_cast<int>(g.seconds);
            TPARDO p;
            p.Data = r->hex + "000";
            p.Compress();
            h.lines.push_back("*MSG," + std::to_string(g.week) + "," + std::to_string(tow) + "," + p.Data);
            const IntakeOutcome &out = intake.Take(h.lines.back(), streaming);
            if (!out.message)
                continue;
            h.messages.push_back(*out.message);
            h.shownTypes.push_back(out.shownType);
            h.seconds.push_back(out.gpsSeconds);
        }
        return h;
    }();
    return hour;
}

double Seconds(std::chrono::steady_clock::duration d)
{
    return std::chrono::duration<double>(d).count();
}

void BM_DemoHourOverviewShare(benchmark::State &state)
{
    const Hour &hour = DemoHour();
    double intake = 0, overview = 0;
    for (auto _ : state) {
        NoUi ui;
        SystemClock clock;
        TMainFrm frm{ui, clock};
        auto t0 = std::chrono::steady_clock::now();
        for (const auto &line : hour.lines)
            frm.HandleMsgLine(line);
        const double withOverview = Seconds(std::chrono::steady_clock::now() - t0);
        SignalOverview alone(frm.PrnMask(), frm.Igp());
        t0 = std::chrono::steady_clock::now();
        for (std::size_t i = 0; i < hour.messages.size(); ++i)
            alone.NoteMessage(hour.seconds[i], hour.messages[i], hour.shownTypes[i], true, BroadcastMode::Mode02);
        const double overviewOnly = Seconds(std::chrono::steady_clock::now() - t0);
        benchmark::DoNotOptimize(alone.Revision());
        state.SetIterationTime(withOverview);
        intake += withOverview;
        overview += overviewOnly;
    }
    const auto n = static_cast<double>(state.iterations());
    state.counters["with_ms"] = intake / n * 1e3;
    state.counters["without_ms"] = (intake - overview) / n * 1e3;
    state.counters["extra_pct"] = overview / (intake - overview) * 100;
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(hour.lines.size()));
}
BENCHMARK(BM_DemoHourOverviewShare)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_OverviewRedrawAfterTheHour(benchmark::State &state)
{
    NoUi ui;
    SystemClock clock;
    TMainFrm frm{ui, clock};
    for (const auto &line : DemoHour().lines)
        frm.HandleMsgLine(line);
    TFrmOverview &overview = *frm.OverviewForm();
    overview.show();
    for (auto _ : state) {
        overview.Redraw();
        QApplication::processEvents();
    }
}
BENCHMARK(BM_OverviewRedrawAfterTheHour)->Unit(benchmark::kMillisecond);

} // namespace
