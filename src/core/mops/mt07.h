#pragma once

#include "mops/field.h"
#include "state/shared_buffers.h"

#include <array>

struct TFastCorDegFactors {
    int32_t SystemLatency = 0; // seconds
    int32_t IODP = 0;
    std::array<bool, kSlots> Available{};             // by PRN mask number - 1
    std::array<int32_t, kSlots> DegradationIndicator{};
};

namespace mt07 {
constexpr int kSatellites = 51;
constexpr Field kSystemLatency{15, 4};
constexpr Field kIODP{19, 2};
constexpr Field Indicator(int n) { return {23 + 4 * (n - 1), 4}; } // n = 1..51
}

class TMT07 final : public TMOPSMsg {
public:
    using TMOPSMsg::TMOPSMsg;
    void Decode() override;
    const TFastCorDegFactors &Data() const { return data_; }

private:
    TFastCorDegFactors data_;
};
