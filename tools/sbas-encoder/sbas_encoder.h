#pragma once

#include "sbas_frame.h"

#include "mops/mt06.h"
#include "mops/mt07.h"
#include "mops/mt09.h"
#include "mops/mt10.h"
#include "mops/mt12.h"
#include "mops/mt17.h"
#include "mops/mt24.h"
#include "mops/mt25.h"
#include "mops/mt28.h"

#include <array>
#include <set>
#include <vector>

// Builds messages of every handled type from field values: the inverse of the decoders.
namespace sbas {

SbasFrame NullMessage(); // type 63

SbasFrame PrnMask(const std::set<int> &slots, int iodp); // type 1, slots 1..210

struct FastCorrectionsMsg {
    int type = 2; // 2..5, or 0 for a "do not use" message with the same layout
    int iodf = 0, iodp = 0;
    std::array<double, 13> prc{};   // m
    std::array<int, 13> udrei{};
};
SbasFrame FastCorrections(const FastCorrectionsMsg &m);

SbasFrame Integrity(const TIntegrityInformation &d);         // type 6
SbasFrame DegradationFactors(const TFastCorDegFactors &d);   // type 7
SbasFrame GeoNavigation(const TGEONavigation &d);            // type 9
SbasFrame DegradationParameters(const TDegradationFactors &d); // type 10
SbasFrame NetworkTime(const TWAASNetworkTime &d);            // type 12

struct AlmanacMsg {
    std::array<TGEOAlmanac, 3> geo{};
    std::array<int, 3> providerId{}; // service provider identifier of each almanac
    int32_t tod = 0;                 // s
};
SbasFrame GeoAlmanacs(const AlmanacMsg &m); // type 17

struct IgpMaskMsg {
    int bandCount = 1, band = 0, iodi = 0;
    std::set<int> points; // point numbers 0..200 within the band
};
SbasFrame IgpMask(const IgpMaskMsg &m); // type 18

// The long-term half of a type 24 or 25 message.
struct LongTermHalf {
    int velocityCode = 0;
    std::array<int, 2> maskNumber{}; // velocity code 1 uses the first only
    std::array<LongTermVel1, 2> values{};
    int iodp = 0;
};

struct MixedMsg {
    std::array<double, 6> prc{};
    std::array<int, 6> udrei{};
    int iodp = 0, blockId = 0, iodf = 0;
    LongTermHalf longTerm;
};
SbasFrame MixedCorrections(const MixedMsg &m); // type 24
SbasFrame LongTermCorrections(const LongTermHalf &first, const LongTermHalf &second); // type 25

struct IonoDelayMsg {
    int band = 0, block = 0, iodi = 0;
    std::array<double, 15> delay{}; // m; 63.875 or more is sent as "do not use"
    std::array<int, 15> givei{};
};
SbasFrame IonosphericDelays(const IonoDelayMsg &m); // type 26

struct ServiceMsg {
    int iods = 0, numberOfMessages = 1, messageNumber = 0, priority = 0;
    int deltaInside = 0, deltaOutside = 0; // indicators
    std::vector<ServiceRegion> regions;    // up to 7
};
SbasFrame Service(const ServiceMsg &m); // type 27

SbasFrame Covariance(const std::array<TClockEphCovMatrix, 2> &sat, int iodp); // type 28

} // namespace sbas
