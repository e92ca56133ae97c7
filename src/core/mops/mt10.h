#pragma once

#include "mops/field.h"

#include <array>

struct TDegradationFactors {
    float Brrc = 0, Cltc_lsb = 0, Cltc_v1 = 0, Iltc_v1 = 0, Cltc_v0 = 0, Iltc_v0 = 0, Cgeo_lsb = 0, Cgeo_v = 0,
          Igeo = 0, Cer = 0, Ciono_step = 0, Iiono = 0, Ciono_ramp = 0, RSS_UDRE = 0, RSS_iono = 0, Ccovariance = 0;
};

namespace mt10 {
// In the order of the record's fields.
constexpr std::array<Field, 16> kFields = {{{15, 10, false, 0.002},   {25, 10, false, 0.002},
                                            {35, 10, false, 0.00005}, {45, 9, false, 1},
                                            {54, 10, false, 0.002},   {64, 9, false, 1},
                                            {73, 10, false, 0.0005},  {83, 10, false, 0.00005},
                                            {93, 9, false, 1},        {102, 6, false, 0.5},
                                            {108, 10, false, 0.001},  {118, 9, false, 1},
                                            {127, 10, false, 0.000005}, {137, 1, false, 1},
                                            {138, 1, false, 1},       {139, 7, false, 0.1}}};
// The record's fields in table order.
std::array<float *, 16> Members(TDegradationFactors &d);
}

class TMT10 final : public TMOPSMsg {
public:
    using TMOPSMsg::TMOPSMsg;
    void Decode() override;
    const TDegradationFactors &Data() const { return data_; }

private:
    TDegradationFactors data_;
};
