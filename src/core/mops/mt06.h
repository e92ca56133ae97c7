#pragma once

#include "mops/named_field.h"
#include "state/shared_buffers.h"

#include <array>

struct SlotIntegrity {
    double UDREI = 0, UDRE = 0, VarUDRE = 0;
};

struct TIntegrityInformation {
    int32_t IODF2 = 0, IODF3 = 0, IODF4 = 0, IODF5 = 0; // for the corrections of types 2, 3, 4, 5
    std::array<SlotIntegrity, kSlots> Slot{}; // by PRN mask number - 1; numbers above 51 stay zero
};

namespace mt06 {
// The issues of data of the four fast-correction types, in the order of the window's boxes.
constexpr FieldList<TIntegrityInformation, 4> kFields = {{
    {"IODF2", {15, 2}, &TIntegrityInformation::IODF2},
    {"IODF3", {17, 2}, &TIntegrityInformation::IODF3},
    {"IODF4", {19, 2}, &TIntegrityInformation::IODF4},
    {"IODF5", {21, 2}, &TIntegrityInformation::IODF5},
}};
// Mask number 1's indicator; mask number n's is kSlotBits * (n - 1) later.
constexpr int kSatellites = 51;
constexpr int kSlotBits = 4;
constexpr FieldList<SlotIntegrity, 1> kSlot = {{
    {"UDREI", {23, 4}, &SlotIntegrity::UDREI},
}};
constexpr Field UDREI(int n) { return kSlot[0].field.At(kSlotBits * (n - 1)); } // n = 1..51
}

class TMT06 final : public TMOPSMsg {
public:
    using TMOPSMsg::TMOPSMsg;
    void Decode() override;
    const TIntegrityInformation &Data() const { return data_; }

private:
    TIntegrityInformation data_;
};
