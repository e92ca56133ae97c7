#include "window_catalogue.h"

#include "corrections_forms.h"
#include "fastcorr_form.h"
#include "geos_form.h"
#include "grid_map_forms.h"
#include "grid_workers.h"
#include "label_grid_form.h"
#include "mt02_05_worker.h"
#include "mt06_form.h"
#include "mt07_form.h"
#include "overview_form.h"
#include "prns_form.h"
#include "satellite_workers.h"
#include "signal_events_form.h"
#include "standalone_workers.h"

namespace {

using WorkerPtr = std::unique_ptr<TWorker>;

template <typename Window>
TMessageWindow *Plain(WindowParts &p)
{
    return new Window(p.owner);
}

TMessageWindow *Prns(WindowParts &p)
{
    return p.prns = new TFrmPRNs(p.mask, p.owner);
}

TMessageWindow *GeoNavigation(WindowParts &p)
{
    return new TFrmMT09(p.geoOfPort, p.owner);
}

TMessageWindow *Overview(WindowParts &p)
{
    return p.overview = new TFrmOverview(p.mask, p.grid, p.owner);
}

// The watch's events, written beside the message log when the user asks.
TMessageWindow *Events(WindowParts &p)
{
    return new TFrmEvents(p.overview->Model().Watch(), p.messageLogPath, p.owner);
}

// A worker handed its window and, where it names satellites or fills shared state, that state.
template <typename Worker, typename Window>
WorkerPtr Alone(WindowParts &, TMessageWindow &w)
{
    return std::make_unique<Worker>(static_cast<Window &>(w));
}

template <typename Worker, typename Window>
WorkerPtr WithMask(WindowParts &p, TMessageWindow &w)
{
    return std::make_unique<Worker>(static_cast<Window &>(w), p.mask);
}

template <typename Worker, typename Window>
WorkerPtr WithGrid(WindowParts &p, TMessageWindow &w)
{
    return std::make_unique<Worker>(static_cast<Window &>(w), p.grid);
}

WorkerPtr FastCorrections(WindowParts &p, TMessageWindow &w)
{
    return std::make_unique<TThread_MT2_5>(*p.prns, static_cast<TFrmFastCorr &>(w), p.ui);
}

WorkerPtr LongTerm(WindowParts &p, TMessageWindow &w)
{
    return std::make_unique<TThreadMT25>(static_cast<TFrmMT25 &>(w), p.mask, *p.prns);
}

WorkerPtr Service(WindowParts &p, TMessageWindow &w)
{
    return std::make_unique<TMsgType27>(static_cast<TFrmMT27 &>(w), p.service);
}

const MessageWindowKind kRows[] = {
    // Type 1 goes to its window from the intake, before the status monitor's tick.
    {"MT 1 - Active PRNs", "TbMT1", "Message Type 1", "1", Prns, nullptr},
    {"MT 2 to 5 - Fast Corrections", "TbMT2_5", "Message Types 2 to 5", "2-5", Plain<TFrmFastCorr>, FastCorrections,
     2, 5},
    {"MT 6 - Integrity Information", "TbMT06", "Message Type 06", "6", Plain<TFrmMT06>,
     WithMask<TMsgType06, TFrmMT06>, 6, 6},
    {"MT 7 - Fast Corrections Degradation Factor", "TbMT07", "Message Type 07", "7", Plain<TFrmMT07>,
     WithMask<TMsgType07, TFrmMT07>, 7, 7},
    {"MT 9 - GEO Nav Message", "TbMT09", "Message Type 09", "9", GeoNavigation, Alone<TMsgType09, TFrmMT09>, 9, 9},
    {"MT 10 - Degradation Parameters", "TbMT10", "Message Type 10", "10", Plain<TFrmMT10>,
     Alone<TMsgType10, TFrmMT10>, 10, 10},
    {"MT 12 - WAAS Network Time", "TbMT12", "Message Type 12", "12", Plain<TFrmMT12>, Alone<TMsgType12, TFrmMT12>,
     12, 12},
    {"MT 17 - GEO Almanacs", "TbMT17", "Message Type 17", "17", Plain<TFrmGEOs>, Alone<TMsgType17, TFrmGEOs>, 17,
     17},
    // Its decoder lays the grid's coordinates into the buffer, which a reset has emptied.
    {"MT 18 - Ionospheric Grid Points Mask", "TbMT18", "Message Type 18", "18", Plain<TFrmMT18>,
     WithGrid<TMsgType18, TFrmMT18>, 18, 18, true},
    {"MT 24 - Mixed Corrections", "TbMT24", "Message Type 24", "24", Plain<TFrmMT24>,
     WithMask<TMsgType24, TFrmMT24>, 24, 24},
    {"MT 25 - Long Term Corrections", "TbMT25", "Message Type 25", "25", Plain<TFrmMT25>, LongTerm, 25, 25},
    {"MT 26 - Ionospheric Delay Corrections", "TbMT26", "Message Type 26", "26", Plain<TFrmMT26>,
     WithGrid<TMsgType26, TFrmMT26>, 26, 26},
    {"MT 27 - WAAS Service Message", "TbMT27", "Message Type 27", "27", Plain<TFrmMT27>, Service, 27, 27},
    {"MT 28 - Clock-Ephemeris Covariance Matrix", "TbMT28", "Message Type 28", "28", Plain<TFrmMT28>,
     WithMask<TMsgType28, TFrmMT28>, 28, 28},
    {"Signal Overview", "TbOverview", "Signal Overview", "Ov", Overview, nullptr},
    {"Signal Events", "TbEvents", "Signal Events", "Ev", Events, nullptr},
};

} // namespace

MessageWindowKinds MessageWindowTable()
{
    return {kRows, std::size(kRows)};
}
