#pragma once

// How long each broadcast item may be used after it was received, and how often each message
// type must come, in seconds.
//
// The values are those of RTCA DO-229's message time-out table (two columns: en route through
// non-precision approach, and precision approach) and of its table of maximum update intervals,
// as open references reproduce them (gLAB, the open GNSS analysis tool of gAGE/UPC, initialises
// its SBAS time-outs from the same table). The fast-correction time-out is not a fixed value: it
// follows each satellite's type 7 degradation indicator (mops/fast_degradation.h).

// The time-out column a watch judges by.
enum class Column { PrecisionApproach, EnRouteToNonPrecision };

// What a watch ages: items of the signal as a whole, of each masked satellite and of each grid point.
enum class Item {
    TestMode,              // type 0: the minute the broadcast status looks back
    Mask,                  // type 1
    Degradation,           // type 7
    GeoNavigation,         // type 9
    DegradationParameters, // type 10
    NetworkTime,           // type 12
    GeoAlmanacs,           // type 17
    GridMask,              // type 18
    Service,               // type 27
    FastCorrection,        // a satellite's PRC (types 2-5, 24)
    Udrei,                 // a satellite's UDREI (types 2-5, 6, 24)
    LongTerm,              // a satellite's long-term correction (types 24, 25)
    Covariance,            // a satellite's covariance (type 28)
    GridDelay,             // a grid point's delay and GIVEI (type 26)
};
constexpr int kItemCount = static_cast<int>(Item::GridDelay) + 1;

// The items of the signal as a whole come first: TestMode to Service.
constexpr int kSignalItems = static_cast<int>(Item::Service) + 1;

// The time-out of an item in a column; -1 for the fast correction, whose time-out is by indicator.
int Timeout(Item item, Column column);
// The fast-correction time-out of a type 7 degradation indicator (0-15).
int FastCorrectionTimeout(int indicator, Column column);
// The item's name in words ("long-term correction", "degradation factors (type 7)").
const char *ItemName(Item item);
// The item of the signal as a whole that a message type brings (as an Item value); -1 for none.
int SignalItemOfType(int type);

// The longest a message type may stay away in a steady stream; -1 for a type without one.
int MaxUpdateInterval(int type);
// The longest a satellite's UDREI may stay without an update, whichever type brings it.
constexpr int kUdreiUpdateInterval = 6;
// Type 0 makes the signal one not to use for safety for this long after it was received.
constexpr int kTestModeSeconds = 60;

const char *ColumnName(Column column);
