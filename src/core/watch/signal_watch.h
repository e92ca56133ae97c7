#pragma once

#include "sismode/sis_mode_state.h"
#include "state/shared_buffers.h"
#include "watch/deadline_queue.h"
#include "watch/event_log.h"
#include "watch/timeouts.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// The age of one item as of the watch's latest time.
struct ItemAge {
    bool received = false;
    double age = 0;   // s since it was received
    int timeout = -1; // s; -1 where none is known (a fast correction without a type 7 indicator)
    bool Expired() const { return received && timeout >= 0 && age > timeout; }
};

// What a grid point holds: in the mask or not, and the age of its delay and GIVEI.
struct GridPointAge {
    bool inMask = false;
    ItemAge delay;
    int givei = -1; // as the grid decoder left it; -1 before any delay came
};

// Intervals between two messages of a type in the live stream, against the type's maximum.
struct UpdateIntervals {
    int limit = -1;       // s; -1 for a type without a maximum
    double longest = 0;   // s
    int64_t exceeded = 0; // intervals longer than the limit
};

// Type 0 within the last minute: the GEO says its signal is not for safety use.
struct TestModeState {
    bool on = false;
    bool genuineType2 = false; // a type 2 of its own type within the minute: "Mode 0/0", else "Mode 0/2"
    double age = 0;            // s since the last type 0
    const char *Name() const { return on ? (genuineType2 ? "Mode 0/0" : "Mode 0/2") : "no type 0"; }
};

// Watches each decoded item against its time-out, the update interval of each type and what
// changes, and logs every change a watch engineer cares about. Fed by the signal overview as it
// reads each message: the watch reads no message itself. Time is the GPS time of the messages,
// never the local clock; each message costs work for the items it brings and those whose
// time-out runs out, not for every satellite and grid point.
class SignalWatch {
public:
    SignalWatch(const PRNMaskBuffer &mask, const IGPBuffer &grid);

    void SetColumn(Column column);
    Column TimeoutColumn() const { return column_; }
    // The GEO the events are logged for.
    void SetGeo(const std::string &geo);
    const std::string &Geo() const { return geo_; }
    // Forgets what the signal held (a reset on connect); the event log stays.
    void Reset();

    // A message of its own type `type` at `time`, before its fields: items whose time-out ran
    // out time out, and the type's interval, the stream's gaps, type 0, parity and the
    // broadcast mode are noted. `live`: part of the stream, not an answer to a request.
    void Begin(double time, int type, bool live, bool parityHolds, BroadcastMode mode);
    // The fields of that message, by slot (1-210) or grid entry, as the overview reads them.
    void NoteCorrection(int slot, int udrei); // a PRC and its UDREI (types 2-5, 24)
    void NoteUdrei(int slot, int udrei);      // type 6
    void NoteIndicator(int slot, int indicator);
    void NoteLongTerm(int slot, int iode);
    void NoteCovariance(int slot);
    void NoteGridPoint(int entry);
    // IODF `iodf` of fast-correction set `set` (the type 2-5 or 24 that carries it, or 60 + j
    // for type 6's IODFj).
    void NoteIodf(int set, int iodf);
    void NoteMask();                        // a type 1, read from the mask buffer
    void NoteGridMask(int band, int iodi);  // a type 18, read from the grid buffer
    void NoteService(int iods);             // a type 27

    double Now() const { return now_; }
    ItemAge Signal(Item item) const;
    ItemAge Satellite(int slot, Item item) const;
    GridPointAge GridPoint(int entry) const;
    // "long-term correction expired 12 s ago (time-out 240 s)" for the first of the satellite's
    // items (its own and the signal's it depends on) whose time-out ran out; "" when none.
    std::string Expired(int slot) const;
    TestModeState TestMode() const;
    const UpdateIntervals &Intervals(int type) const { return intervals_[static_cast<std::size_t>(type & 63)]; }
    // A satellite's UDREI against kUdreiUpdateInterval, over every satellite.
    const UpdateIntervals &UdreiIntervals() const { return udreiIntervals_; }
    const EventLog &Events() const { return log_; }
    EventLog &Events() { return log_; }

private:
    struct Clock {
        bool received = false;
        bool expired = false; // its time-out ran out and it has not come again
        double last = 0;      // GPS seconds it was last received
        double expiredAt = 0;
    };
    struct ParityRun {
        int count = 0;
        double start = 0;
        std::vector<std::pair<double, int>> first; // time and type of the first failures
        uint64_t types = 0;                        // bit per type
    };

    static int SatelliteId(int slot, Item item);
    static int GridId(int entry);
    int TimeoutOf(int id) const;
    std::string NameOf(int id) const;
    ItemAge AgeOf(int id) const;

    void Log(EventKind kind, double time, std::string item, std::string from, std::string to);
    void Receive(int id);
    void Requeue(int id);
    void Expire(int id, double deadline);
    void Forget(int id);
    void Restart(); // time went back: the ages known are of another time
    void NoteType0();
    void NoteInterval(int type);
    void NoteParityFailure(int type);
    void CloseParityRun();
    // Keeps `now` as the known issue of data; true when it changed from a known one.
    static bool NoteIod(int &known, int now);
    void LogIod(const std::string &item, int from, int to);

    const PRNMaskBuffer &mask_;
    const IGPBuffer &grid_;
    Column column_ = Column::PrecisionApproach;
    std::string geo_;
    EventLog log_;

    // The current message.
    double time_ = 0;
    bool live_ = false;

    bool started_ = false;
    double now_ = 0;
    bool hadLive_ = false;
    double lastLive_ = 0;
    std::vector<Clock> clocks_;
    DeadlineQueue deadlines_;

    std::array<UpdateIntervals, 64> intervals_{};
    std::array<double, 64> lastOfType_{}; // 0: none in the live stream yet
    UpdateIntervals udreiIntervals_;
    std::array<double, kSlots + 1> lastUdrei_{};

    double lastType2_ = -1;
    bool genuineType2_ = false; // as last logged

    BroadcastMode mode_ = BroadcastMode::None;
    ParityRun parity_;

    bool maskKnown_ = false;
    int iodp_ = -1, iodi_ = -1, iods_ = -1;
    std::array<bool, kSlots + 1> masked_{};
    std::array<int, kSlots + 1> udrei_{}, indicator_{}, iode_{};
    std::array<int, 80> iodf_{};
    std::array<bool, kBandCount> bandKnown_{};
    std::vector<bool> gridMasked_;
};
