#pragma once

#include "mops/named_field.h"

struct TDegradationFactors {
    float Brrc = 0, Cltc_lsb = 0, Cltc_v1 = 0, Iltc_v1 = 0, Cltc_v0 = 0, Iltc_v0 = 0, Cgeo_lsb = 0, Cgeo_v = 0,
          Igeo = 0, Cer = 0, Ciono_step = 0, Iiono = 0, Ciono_ramp = 0, RSS_UDRE = 0, RSS_iono = 0, Ccovariance = 0;
};

namespace mt10 {
// In the order of the message's fields and the window's rows.
constexpr FieldList<TDegradationFactors, 16> kFields = {{
    {"B_rcc (m)", {15, 10, false, 0.002}, &TDegradationFactors::Brrc},
    {"C_ltc_lsb (m)", {25, 10, false, 0.002}, &TDegradationFactors::Cltc_lsb},
    {"C_ltc_v1 (m/s)", {35, 10, false, 0.00005}, &TDegradationFactors::Cltc_v1},
    {"I_ltc_v1 (s)", {45, 9, false, 1}, &TDegradationFactors::Iltc_v1},
    {"C_ltc_v0 (m)", {54, 10, false, 0.002}, &TDegradationFactors::Cltc_v0},
    {"I_ltc_v0 (s)", {64, 9, false, 1}, &TDegradationFactors::Iltc_v0},
    {"C_geo_lsb (m)", {73, 10, false, 0.0005}, &TDegradationFactors::Cgeo_lsb},
    {"C_geo_v (m/s)", {83, 10, false, 0.00005}, &TDegradationFactors::Cgeo_v},
    {"I_geo (s)", {93, 9, false, 1}, &TDegradationFactors::Igeo},
    {"C_er (m)", {102, 6, false, 0.5}, &TDegradationFactors::Cer},
    {"C_iono_step (m)", {108, 10, false, 0.001}, &TDegradationFactors::Ciono_step},
    {"I_iono (s)", {118, 9, false, 1}, &TDegradationFactors::Iiono},
    {"C_iono_ramp (m/s)", {127, 10, false, 0.000005}, &TDegradationFactors::Ciono_ramp},
    {"RSS_UDRE", {137, 1, false, 1}, &TDegradationFactors::RSS_UDRE},
    {"RSS_iono", {138, 1, false, 1}, &TDegradationFactors::RSS_iono},
    {"C_covariance", {139, 7, false, 0.1}, &TDegradationFactors::Ccovariance},
}};
}

class TMT10 final : public TMOPSMsg {
public:
    using TMOPSMsg::TMOPSMsg;
    void Decode() override;
    const TDegradationFactors &Data() const { return data_; }

private:
    TDegradationFactors data_;
};
