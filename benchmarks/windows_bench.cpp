// Time to take one message of a type through the intake into its window, hidden and shown
// (offscreen), and the demo hour into hidden windows and into every window shown. Messages of a type alternate
// between two sets of values, so that every message changes what its window shows.
// BM_Repainted takes one message of a heavy type into its shown window and includes its repaint: the
// messages come further apart than the paint interval, so that each is painted on its own; with
// the main window shown too, and with the type's window hidden; after a pause or without one.
// Run: QT_QPA_PLATFORM=offscreen build/benchmarks/bench_windows
// Instructions per message: benchmarks/callgrind_windows.sh (the timed part alone is counted).
#include "codec/pardo.h"
#include "demo_schedule.h"
#include "output/log_record.h"
#include "mops/gpstime.h"
#include "mainfrm.h"
#include "message_window.h"
#include "sbas_encoder.h"
#include "sis_mode_form.h"
#include "time/clock.h"
#include "ui_seam.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QThread>

#include <benchmark/benchmark.h>

namespace {

class NoUi final : public UiSeam {
public:
    int Exec(QDialog &) override { return QDialog::Rejected; }
    void MessageBox(QWidget *, const QString &) override {}
    void ErrorReport(QWidget *, const QString &) override {}
};

std::string Line(SbasFrame f, int tow)
{
    TPARDO p;
    p.Data = f.Hex(tow) + "000";
    p.Compress();
    return "*MSG,2443," + std::to_string(tow) + "," + p.Data;
}

SbasFrame FastCorrections(double step)
{
    sbas::FastCorrectionsMsg fc;
    fc.iodp = 2;
    for (int i = 0; i < 13; ++i)
        fc.prc[i] = step * i;
    return sbas::FastCorrections(fc);
}

SbasFrame Delays(double delay)
{
    sbas::IonoDelayMsg d;
    d.iodi = 1;
    d.delay.fill(delay);
    d.givei.fill(5);
    return sbas::IonosphericDelays(d);
}

SbasFrame FullMask(int band)
{
    sbas::IgpMaskMsg m{kBandCount, band, 1, {}};
    for (int p = 0; p < BandSize(band); ++p)
        m.points.insert(p);
    return sbas::IgpMask(m);
}

std::set<int> Slots(int first, int last)
{
    std::set<int> s;
    for (int i = first; i <= last; ++i)
        s.insert(i);
    return s;
}

// A main window with 40 satellites in the mask and every point of the 11 grid bands masked.
struct Fixture {
    NoUi ui;
    SystemClock clock;
    TMainFrm frm{ui, clock};
    int tow = 1;

    Fixture()
    {
        frm.HandleMsgLine(Line(sbas::PrnMask(Slots(1, 40), 2), tow++));
        for (int band = 0; band < kBandCount; ++band)
            frm.HandleMsgLine(Line(FullMask(band), tow++));
    }
    void ShowAll(bool shown)
    {
        frm.setVisible(shown);
        for (TMessageWindow *w : frm.findChildren<TMessageWindow *>())
            w->setVisible(shown);
        if (auto *status = frm.findChild<TFrmSISMode *>())
            status->setVisible(shown);
        QApplication::processEvents();
    }
};

// Each message of the pair in turn, the events (painting) handled after each; shown, the
// type's window is open (offscreen) and the others are not.
void Alternate(benchmark::State &state, SbasFrame a, SbasFrame b, const char *window)
{
    Fixture f;
    if (state.range(0) != 0) {
        f.frm.findChild<TMessageWindow *>(window)->show();
        QApplication::processEvents();
    }
    const std::string lines[] = {Line(a, 1000), Line(b, 1001)};
    std::size_t i = 0;
    for (auto _ : state) {
        f.frm.HandleMsgLine(lines[i++ % 2]);
        QApplication::processEvents();
    }
    state.SetItemsProcessed(state.iterations());
}

// Two slots trade places in the mask.
void BM_Type1(benchmark::State &s)
{
    std::set<int> other = Slots(1, 39);
    other.insert(41);
    Alternate(s, sbas::PrnMask(Slots(1, 40), 2), sbas::PrnMask(other, 2), "FrmPRNs");
}
void BM_Type2(benchmark::State &s) { Alternate(s, FastCorrections(0.125), FastCorrections(0.25), "FrmFastCorr"); }
// A band's whole mask again: 2192 rows and marks.
void BM_Type18(benchmark::State &s) { Alternate(s, FullMask(3), FullMask(3), "FrmMT18"); }
// 15 points of 2192 masked change their delays.
void BM_Type26(benchmark::State &s) { Alternate(s, Delays(2.5), Delays(3.0), "FrmMT26"); }
SbasFrame Covariances(int element)
{
    std::array<TClockEphCovMatrix, 2> cov{};
    cov[0] = {1, 0, 5, element, 20, 30, 40, -1, -2, -3, 4, 5, 6};
    cov[1] = {7, 0, 3, 1, element, 1, 1, 0, 0, 0, 0, 0, 0};
    return sbas::Covariance(cov, 2);
}

// Counts the paints of every widget while it lives.
class PaintCount final : public QObject {
public:
    PaintCount() { QApplication::instance()->installEventFilter(this); }
    ~PaintCount() override { QApplication::instance()->removeEventFilter(this); }
    int64_t paints = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

// The timed part of BM_Repainted, a function of its own so that callgrind counts it alone.
[[gnu::noinline]] void RepaintedMessage(TMainFrm &frm, const std::string &line)
{
    frm.HandleMsgLine(line);
    QApplication::processEvents();
}

// One message into its shown window, then the events until its repaint is done; the next
// message comes once the paint interval is over (not timed), so every message is painted.
// With main:1 the main window is shown too, as in the application: its message box and captions
// are then written and painted with it, instead of written at once. With shown:0 the type's window
// stays hidden: what the message costs before anything is painted. With warm:0 the application
// sleeps between messages, as at the live rate, and each message finds cold caches; with warm:1
// the events are handled without a pause in between, as in a busy feed whose every message is
// painted. "paints" counts the widgets painted per message.
void Repainted(benchmark::State &state, SbasFrame a, SbasFrame b, const char *window)
{
    Fixture f;
    if (state.range(0) != 0)
        f.frm.show();
    TMessageWindow *w = f.frm.findChild<TMessageWindow *>(window);
    if (state.range(1) != 0)
        w->show();
    const bool warm = state.range(2) != 0;
    const std::string lines[] = {Line(a, 1000), Line(b, 1001)};
    std::size_t i = 0;
    const auto settle = [warm] {
        QElapsedTimer apart;
        apart.start();
        while (apart.elapsed() < 3 * 33) {
            QApplication::processEvents();
            if (!warm)
                QThread::msleep(2);
        }
    };
    for (int k = 0; k < 4; ++k) { // both sets drawn once: from here on every message changes what is shown
        f.frm.HandleMsgLine(lines[i++ % 2]);
        settle();
    }
    PaintCount count;
    for (auto _ : state) {
        RepaintedMessage(f.frm, lines[i++ % 2]);
        state.PauseTiming();
        settle();
        state.ResumeTiming();
    }
    state.counters["paints"] = benchmark::Counter(static_cast<double>(count.paints), benchmark::Counter::kAvgIterations);
    state.SetItemsProcessed(state.iterations());
}

// 40 satellites masked; two of them trade places.
void BM_Repainted_Type1(benchmark::State &s)
{
    std::set<int> other = Slots(1, 39);
    other.insert(41);
    Repainted(s, sbas::PrnMask(Slots(1, 40), 2), sbas::PrnMask(other, 2), "FrmPRNs");
}
void BM_Repainted_Type2(benchmark::State &s)
{
    Repainted(s, FastCorrections(0.125), FastCorrections(0.25), "FrmFastCorr");
}
// Every point of the 11 bands masked; 15 of them change their delays.
void BM_Repainted_Type26(benchmark::State &s) { Repainted(s, Delays(2.5), Delays(3.0), "FrmMT26"); }
// Two satellites change an element.
void BM_Repainted_Type28(benchmark::State &s) { Repainted(s, Covariances(10), Covariances(11), "FrmMT28"); }
void RepaintedCases(benchmark::internal::Benchmark *b)
{
    b->ArgNames({"main", "shown", "warm"})->Args({0, 1, 0})->Args({1, 1, 0})->Args({0, 0, 0});
    b->Args({0, 1, 1})->Args({1, 1, 1})->Args({0, 0, 1});
    b->Unit(benchmark::kMicrosecond)->Iterations(60);
}
BENCHMARK(BM_Repainted_Type1)->Apply(RepaintedCases);
BENCHMARK(BM_Repainted_Type2)->Apply(RepaintedCases);
BENCHMARK(BM_Repainted_Type26)->Apply(RepaintedCases);
BENCHMARK(BM_Repainted_Type28)->Apply(RepaintedCases);

BENCHMARK(BM_Type1)->ArgName("shown")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Type2)->ArgName("shown")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Type18)->ArgName("shown")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Type26)->ArgName("shown")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The demo hour, every message through the intake; shown, the main window and every message
// window are open and the events (painting) are handled after every `paint` messages: after
// each, as a live feed has them, or after each 200, as the session takes a backlog.
void BM_DemoHour(benchmark::State &state)
{
    const bool shown = state.range(0) != 0;
    const auto paint = static_cast<std::size_t>(std::max<int64_t>(1, state.range(1)));
    std::vector<std::string> lines;
    for (const auto &record : DemoRecording({})) {
        const auto r = ParseLogRecord(record);
        const GpsWeekTime g = DateTimeToGPSTime(r->time);
        TPARDO p;
        p.Data = r->hex + "000";
        p.Compress();
        lines.push_back("*MSG," + std::to_string(g.week) + "," + std::to_string(static_cast<int>(g.seconds)) + "," +
                        p.Data);
    }
    Fixture f;
    f.ShowAll(shown);
    for (auto _ : state)
        for (std::size_t i = 0; i < lines.size(); ++i) {
            f.frm.HandleMsgLine(lines[i]);
            if (shown && ((i + 1) % paint == 0 || i + 1 == lines.size()))
                QApplication::processEvents();
        }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(lines.size()));
}
BENCHMARK(BM_DemoHour)
    ->ArgNames({"shown", "paint"})
    ->Args({0, 1})
    ->Args({1, 1})
    ->Args({1, 200})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

} // namespace
