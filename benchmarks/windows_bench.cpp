// Time to apply one type 1 and one type 2 message through the intake, with their windows
// hidden and shown (offscreen). Run: QT_QPA_PLATFORM=offscreen build/benchmarks/bench_windows
#include "codec/pardo.h"
#include "demo_schedule.h"
#include "output/log_record.h"
#include "mops/gpstime.h"
#include "fastcorr_form.h"
#include "grid_map_forms.h"
#include "mainfrm.h"
#include "prns_form.h"
#include "sbas_encoder.h"
#include "time/clock.h"
#include "ui_seam.h"

#include <QApplication>
#include <QDialog>

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

struct Fixture {
    NoUi ui;
    SystemClock clock;
    TMainFrm frm{ui, clock};
    std::string mt1, mt2;

    Fixture()
    {
        std::set<int> slots;
        for (int s = 1; s <= 40; ++s)
            slots.insert(s);
        mt1 = Line(sbas::PrnMask(slots, 2), 1);
        sbas::FastCorrectionsMsg fc;
        fc.iodp = 2;
        for (int i = 0; i < 13; ++i)
            fc.prc[i] = 0.125 * i;
        mt2 = Line(sbas::FastCorrections(fc), 2);
        frm.HandleMsgLine(mt1);
    }
    void Show(bool shown)
    {
        for (QWidget *w : {static_cast<QWidget *>(frm.findChild<TFrmPRNs *>("FrmPRNs")),
                           static_cast<QWidget *>(frm.findChild<TFrmFastCorr *>("FrmFastCorr"))})
            w->setVisible(shown);
    }
};

void Apply(benchmark::State &state, bool type1, bool shown)
{
    Fixture f;
    f.Show(shown);
    const std::string &line = type1 ? f.mt1 : f.mt2;
    for (auto _ : state) {
        f.frm.HandleMsgLine(line);
        QApplication::processEvents(); // let shown windows repaint what changed
    }
}

// One type 26 with every point of all 11 bands masked: 2192 rows and marks on the map.
void Map26(benchmark::State &state, bool shown)
{
    Fixture f;
    for (int band = 0; band < kBandCount; ++band) {
        sbas::IgpMaskMsg m{kBandCount, band, 1, {}};
        for (int p = 0; p < BandSize(band); ++p)
            m.points.insert(p);
        f.frm.HandleMsgLine(Line(sbas::IgpMask(m), 10 + band));
    }
    sbas::IonoDelayMsg d;
    d.iodi = 1;
    d.delay.fill(2.5);
    d.givei.fill(5);
    const std::string mt26 = Line(sbas::IonosphericDelays(d), 30);
    f.frm.findChild<TFrmMT26 *>("FrmMT26")->setVisible(shown);
    for (auto _ : state) {
        f.frm.HandleMsgLine(mt26);
        QApplication::processEvents();
    }
}
void BM_Map26Hidden(benchmark::State &s) { Map26(s, false); }
void BM_Map26Shown(benchmark::State &s) { Map26(s, true); }

void BM_Type1Hidden(benchmark::State &s) { Apply(s, true, false); }
void BM_Type1Shown(benchmark::State &s) { Apply(s, true, true); }
void BM_Type2Hidden(benchmark::State &s) { Apply(s, false, false); }
void BM_Type2Shown(benchmark::State &s) { Apply(s, false, true); }
// The demo hour, every message through the intake into hidden windows: the grid types 18
// and 26 rewrite up to 2192 rows each.
void BM_DemoHourHidden(benchmark::State &state)
{
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
    for (auto _ : state)
        for (const auto &line : lines)
            f.frm.HandleMsgLine(line);
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(lines.size()));
}
BENCHMARK(BM_DemoHourHidden)->Unit(benchmark::kMillisecond)->Iterations(3);

BENCHMARK(BM_Map26Hidden)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Map26Shown)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Type1Hidden)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Type1Shown)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Type2Hidden)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Type2Shown)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
