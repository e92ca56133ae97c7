#pragma once

#include "mops/field.h"

struct TWAASNetworkTime {
    float A1_WNT = 0, A0_WNT = 0;
    int32_t t0t = 0, WNt = 0, DeltaTLS = 0, WNLSF = 0, DN = 0, DeltaTLSF = 0, UTCStandardId = 0, GPSTOW = 0,
            GPSWeekNo = 0, GlonassIndicator = 0;
};

namespace mt12 {
constexpr Field kA1{15, 24, true, kPow2m50};
constexpr Field kA0{39, 32, true, kPow2m30};
constexpr Field kT0t{71, 8, false, 4096};
constexpr Field kWNt{79, 8};
constexpr Field kDeltaTLS{87, 8, true};
constexpr Field kWNLSF{95, 8};
constexpr Field kDN{103, 8};
constexpr Field kDeltaTLSF{111, 8, true};
constexpr Field kUTCStandard{119, 3};
constexpr Field kGPSTOW{122, 20};
constexpr Field kGPSWeek{142, 10};
constexpr Field kGlonass{152, 1};
}

class TMT12 final : public TMOPSMsg {
public:
    using TMOPSMsg::TMOPSMsg;
    void Decode() override;
    const TWAASNetworkTime &Data() const { return data_; }

private:
    TWAASNetworkTime data_;
};
