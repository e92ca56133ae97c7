#pragma once

#include "mops/mt10.h"
#include "overview/feed_statistics.h"
#include "overview/history_series.h"
#include "overview/satellite_verdict.h"
#include "overview/type_statistics.h"
#include "sismode/sis_mode_state.h"
#include "state/shared_buffers.h"
#include "watch/signal_watch.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class TMOPSMsg;

// One masked satellite as the overview lists it.
struct SatelliteRow {
    int slot = 0;
    std::string system; // as the mask window groups the slots
    int prn = 0;
    SatelliteState state;
    double fastAge = -1;      // s since the last PRC, -1 without one
    double udreiAge = -1;     // s since the last UDREI, -1 without one
    int timeout = -1;         // s, -1 without a type 7 indicator
    double degradation = -1;  // m: a (age + latency)^2 / 2 from the type 7 factors, -1 unknown
    ItemAge udreiItem, longTermItem, covarianceItem; // ages and time-outs, from the watch
    SatelliteVerdict verdict;
};

// The system and PRN of a mask slot, as the mask window names them.
std::pair<std::string, int> SlotSystem(int slot);

// Watches the message stream as a whole: every message after the windows have handled it,
// and every refused line. Time is the GPS time of the messages, never the local clock.
class SignalOverview {
public:
    SignalOverview(const PRNMaskBuffer &mask, const IGPBuffer &grid) : mask_(mask), grid_(grid), watch_(mask, grid) {}

    // `gpsSeconds`: week * 604800 + time of week. `message`: its bytes, built once by the
    // intake. `shownType`: the type it was shown and handled as (a type 0 with corrections as
    // 2), whose row of the message catalogue says what is read from it; -1 for a message that
    // was not handled (an empty type 0): only counted. `live`: part of the stream, not an
    // answer to the initial requests, whose times are in no order; only live times count for
    // gaps. A message whose time is before GPS time began, far in the future or not a number
    // is left out: the windows still show it, but it cannot be placed in time.
    void NoteMessage(double gpsSeconds, const TMOPSMsg &message, int shownType, bool live, BroadcastMode mode);
    void NoteDuplicate() { feed_.NoteDuplicate(); ++revision_; }
    void NoteRejected(RejectKind kind) { feed_.NoteRejected(kind); ++revision_; }
    void Reset();

    // The watch of time-outs, intervals and changes, fed as the messages are read.
    SignalWatch &Watch() { return watch_; }
    const SignalWatch &Watch() const { return watch_; }
    // Off only to measure what the watch costs: the verdicts then lack its words.
    void SetWatching(bool on) { watching_ = on; }

    // Changes with every note: a display redraws only when it moved.
    uint64_t Revision() const { return revision_; }
    double Now() const { return now_; }
    // Seconds of stream seen, at most the rate window.
    double Observed() const { return now_ - first_ + 1; }

    const FeedStatistics &Feed() const { return feed_; }
    // The statistics of a type seen so far; nullptr for one never seen.
    const TypeStatistics *Type(int type) const;
    std::vector<int> SeenTypes() const;
    int64_t ParityFailures() const { return parityFailures_; }

    std::vector<SatelliteRow> Satellites() const;
    bool DegradationReceived() const { return mt7_; }
    int SystemLatency() const { return latency_; }
    const std::optional<TDegradationFactors> &DegradationParameters() const { return mt10_; }

    // History of a satellite (by slot), a grid point (by grid entry) and a type's rate.
    const HistorySeries *Prc(int slot) const;
    const HistorySeries *Udre(int slot) const;
    const HistorySeries *VerticalDelay(int entry) const;
    const HistorySeries *Give(int entry) const;
    const HistorySeries *Rate(int type) const;

private:
    // Corrections and indicators of `count` satellites from mask number firstNumber on; prc0
    // and udrei0 are the fields of the first.
    void NoteFast(const TMOPSMsg &m, int firstNumber, int count, const Field &prc0, const Field &udrei0, int iodp,
                  double time);
    void NoteUdrei(int slot, int udrei, double time);
    void NoteLongTermHalf(const TMOPSMsg &m, int code);
    void NoteLongTermSatellite(int number, int iode);
    void NoteGridBlock(const TMOPSMsg &m, double time);
    void Read(int shownType, const TMOPSMsg &m, double time);
    SatelliteState *Slot(int number); // by PRN mask number, through the current mask

    const PRNMaskBuffer &mask_;
    const IGPBuffer &grid_;
    uint64_t revision_ = 0;
    bool started_ = false;
    double first_ = 0, now_ = 0;
    FeedStatistics feed_;
    std::array<std::unique_ptr<TypeStatistics>, 64> types_{};
    int64_t parityFailures_ = 0;
    std::array<SatelliteState, kSlots + 1> satellites_{};
    bool mt7_ = false;
    int latency_ = 0;
    std::optional<TDegradationFactors> mt10_;
    SeriesByKey prc_{kSlots + 1}, udre_{kSlots + 1}; // by slot
    SeriesByKey delay_{kIgpCount}, give_{kIgpCount};   // by grid entry
    SeriesByKey rate_{64};                             // by type
    SignalWatch watch_;
    bool watching_ = true;
};
