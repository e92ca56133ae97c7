#pragma once

#include "mops/named_field.h"

struct TWAASNetworkTime {
    float A1_WNT = 0, A0_WNT = 0;
    int32_t t0t = 0, WNt = 0, DeltaTLS = 0, WNLSF = 0, DN = 0, DeltaTLSF = 0, UTCStandardId = 0, GPSTOW = 0,
            GPSWeekNo = 0, GlonassIndicator = 0;
};

namespace mt12 {
// In the order of the message's fields and the window's rows.
constexpr FieldList<TWAASNetworkTime, 12> kFields = {{
    {"A1_WNT (s/s)", {15, 24, true, kPow2m50}, &TWAASNetworkTime::A1_WNT},
    {"A0_WNT (s)", {39, 32, true, kPow2m30}, &TWAASNetworkTime::A0_WNT},
    {"t_0t (s)", {71, 8, false, 4096}, &TWAASNetworkTime::t0t},
    {"WN_t (weeks)", {79, 8}, &TWAASNetworkTime::WNt},
    {"delta_t_LS (s)", {87, 8, true}, &TWAASNetworkTime::DeltaTLS},
    {"WN_LSF (weeks)", {95, 8}, &TWAASNetworkTime::WNLSF},
    {"DN (days)", {103, 8}, &TWAASNetworkTime::DN},
    {"delta_t_LSF (s)", {111, 8, true}, &TWAASNetworkTime::DeltaTLSF},
    {"UTC Standard Id", {119, 3}, &TWAASNetworkTime::UTCStandardId},
    {"GPS TOW (s)", {122, 20}, &TWAASNetworkTime::GPSTOW},
    {"GPS Week No (weeks)", {142, 10}, &TWAASNetworkTime::GPSWeekNo},
    {"Glonass Indicator", {152, 1}, &TWAASNetworkTime::GlonassIndicator},
}};
}

class TMT12 final : public TMOPSMsg {
public:
    using TMOPSMsg::TMOPSMsg;
    void Decode() override;
    const TWAASNetworkTime &Data() const { return data_; }

private:
    TWAASNetworkTime data_;
};
