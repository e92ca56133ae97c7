#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>

// What changed in the signal, by kind; the watch window filters and the tray notifies by it.
enum class EventKind {
    TestMode,     // type 0 received: test mode entered, left, or 0/0 and 0/2 swapped
    Udrei,        // a satellite's UDREI entering or leaving 14 (not monitored) or 15 (do not use)
    TimeOut,      // an item's time-out ran out
    Recovery,     // an item that had timed out received again
    IssueOfData,  // IODP, IODI, IODF (to or from 3), IODE or IODS changed
    Mask,         // satellites or grid points added to or removed from a mask
    Gap,          // seconds missing from the stream
    Interval,     // a type came later than its maximum update interval
    Parity,       // a parity failure, or a burst of 3 or more within a minute
    Mode,         // the broadcast mode changed
};
constexpr int kEventKinds = static_cast<int>(EventKind::Mode) + 1;

// The kind in words, as the watch window heads its filter and the log file writes it.
const char *KindName(EventKind kind);

struct WatchEvent {
    uint64_t sequence = 0; // the order of logging, from 0; a parity event is logged after its minute
    double time = 0;       // GPS seconds when it happened
    std::string geo;       // the GEO PRN of the connection
    EventKind kind = EventKind::TestMode;
    std::string item;      // what changed: "GPS 5 long-term correction", "type 26", "stream"
    std::string from, to;  // the old and the new value, in words
};

// The events of a watch, the newest last; only the latest kCapacity are kept.
class EventLog {
public:
    static constexpr std::size_t kCapacity = 10000;

    void Add(WatchEvent event);
    const std::deque<WatchEvent> &Events() const { return events_; }
    // The sequence the next event will get: an observer that has seen every event up to
    // Next() - 1 has nothing new.
    uint64_t Next() const { return next_; }
    // The sequence of the oldest event kept (equal to Next() when none is kept).
    uint64_t Oldest() const { return next_ - events_.size(); }
    void Clear() { events_.clear(); }

private:
    std::deque<WatchEvent> events_;
    uint64_t next_ = 0;
};

// GPS seconds as "2023-11-04 02:10:05" (no leap seconds); empty for a time before GPS time began.
std::string GpsTimeText(double gpsSeconds);
// One event as a line of tab-separated fields (time, GEO, kind, item, old, new), without a line end.
std::string EventLine(const WatchEvent &event);
