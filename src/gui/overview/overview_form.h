#pragma once

#include "column_fit.h"
#include "message_window.h"
#include "overview/signal_overview.h"

#include <array>
#include <cstdint>

class QComboBox;
class QLabel;
class TFrmHistory;
class TickSource;

// The "Signal Overview" window: whether the GEO is in test mode, statistics and update intervals
// per message type, the feed, each masked satellite with its verdict and the ages of its items,
// and each grid point of the mask with its age and state. The model takes every message; the
// window is redrawn at most once a second, only while shown and only when something changed.
// The second's ticks are a child named "OverviewRedraw", which a test may take by hand.
class TFrmOverview final : public TMessageWindow {
    Q_OBJECT
public:
    static constexpr int kRedrawMilliseconds = 1000;

    TFrmOverview(const PRNMaskBuffer &mask, const IGPBuffer &grid, QWidget *parent);

    SignalOverview &Model() { return model_; }
    void Reset() override;
    void Redraw();
    int Redraws() const { return redraws_; }

    // History plots, in one window.
    void PlotSatellite(int slot);
    void PlotGridPoint(int entry);
    void PlotRates();
    TFrmHistory &History() const { return *history_; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    void Tick();
    void DrawHeader();
    void DrawTypes();
    void DrawFeed();
    void DrawSatellites();
    void DrawGridPoints();
    void PlotChosenSatellite();

    SignalOverview model_;
    const IGPBuffer &grid_;
    QLabel *testMode_;
    QLabel *udreiIntervals_;
    QComboBox *column_;
    TickSource *redraw_;
    TFrmHistory *history_;
    uint64_t drawn_ = ~uint64_t{0};
    int redraws_ = 0;
    std::array<ColumnFit, 4> fits_; // of the types, feed, satellites and grid points grids
};
