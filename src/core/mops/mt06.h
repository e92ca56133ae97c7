#pragma once

#include "mops/field.h"
#include "state/shared_buffers.h"

#include <array>

struct SlotIntegrity {
    double UDREI = 0, UDRE = 0, VarUDRE = 0;
};

struct TIntegrityInformation {
    std::array<int32_t, 4> IODF{};          // for the corrections of types 2, 3, 4, 5
    std::array<SlotIntegrity, kSlots> Slot{}; // by PRN mask number - 1; numbers above 51 stay zero
};

namespace mt06 {
constexpr int kSatellites = 51;
constexpr Field IODF(int type) { return {15 + 2 * (type - 2), 2}; }
constexpr Field UDREI(int n) { return {23 + 4 * (n - 1), 4}; } // n = 1..51
}

class TMT06 final : public TMOPSMsg {
public:
    using TMOPSMsg::TMOPSMsg;
    void Decode() override;
    const TIntegrityInformation &Data() const { return data_; }

private:
    TIntegrityInformation data_;
};
