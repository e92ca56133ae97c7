#pragma once

#include <string>

// What is known of one masked satellite, as of the GPS time `now`.
struct SatelliteState {
    bool fastCorrection = false; // a PRC from a type 2-5 or 24 message
    double prc = 0;              // m
    double fastTime = 0;         // GPS seconds of the last PRC
    int fastIodp = 0;            // IODP the last PRC was sent with
    int udrei = -1;              // -1: none yet
    double udreiTime = 0;
    bool degradation = false;    // an indicator from a type 7 message
    int indicator = 0;           // a_i, 0..15
    bool longTerm = false;       // named by a type 24 or 25 message
    bool covariance = false;     // named by a type 28 message
};

struct SatelliteVerdict {
    bool usable = false;
    std::string reason; // empty when usable
};

// What the signal watch adds to a satellite's own state: test mode, and the first of its items
// whose time-out ran out, in words ("long-term correction expired 12 s ago (time-out 240 s)").
struct SatelliteWatchWord {
    bool testMode = false;
    std::string expired;
};

// Whether the satellite's corrections can be used under the mask of IODP `maskIodp`, and if
// not, the first reason in this order: test mode (type 0), no fast correction, UDREI 15,
// UDREI 14, IODP, no type 7 indicator, an item timed out, no long-term correction.
SatelliteVerdict Judge(const SatelliteState &s, int maskIodp, const SatelliteWatchWord &watch);
