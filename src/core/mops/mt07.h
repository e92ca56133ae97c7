#pragma once

#include "mops/named_field.h"
#include "state/shared_buffers.h"

#include <array>

struct TFastCorDegFactors {
    int32_t SystemLatency = 0; // seconds
    int32_t IODP = 0;
    std::array<bool, kSlots> Available{};             // by PRN mask number - 1
    std::array<int32_t, kSlots> DegradationIndicator{};
};

// One satellite's part of the message; the record keeps the indicators by mask number.
struct SatelliteDegradation {
    int32_t Indicator = 0;
};

namespace mt07 {
// In the order of the message's fields and the window's boxes.
constexpr FieldList<TFastCorDegFactors, 2> kFields = {{
    {"System Latency", {15, 4}, &TFastCorDegFactors::SystemLatency},
    {"IODP", {19, 2}, &TFastCorDegFactors::IODP},
}};
// Mask number 1's indicator; mask number n's is kSatelliteBits * (n - 1) later.
constexpr int kSatellites = 51;
constexpr int kSatelliteBits = 4;
constexpr FieldList<SatelliteDegradation, 1> kSatellite = {{
    {"ai_i", {23, 4}, &SatelliteDegradation::Indicator},
}};
constexpr Field kSystemLatency = kFields[0].field;
constexpr Field kIODP = kFields[1].field;
constexpr Field Indicator(int n) { return kSatellite[0].field.At(kSatelliteBits * (n - 1)); } // n = 1..51
}

class TMT07 final : public TMOPSMsg {
public:
    using TMOPSMsg::TMOPSMsg;
    void Decode() override;
    const TFastCorDegFactors &Data() const { return data_; }

private:
    TFastCorDegFactors data_;
};
