#pragma once

#include "mops/named_field.h"
#include "state/shared_buffers.h"

// The fields ahead of a mask message's point bits.
struct IgpMaskHeader {
    int32_t BandCount = 0, Band = 0, IODI = 0;
};

namespace mt18 {
constexpr FieldList<IgpMaskHeader, 3> kFields = {{
    {"Number of bands", {15, 4}, &IgpMaskHeader::BandCount},
    {"Band #", {19, 4}, &IgpMaskHeader::Band},
    {"IODI", {23, 2}, &IgpMaskHeader::IODI},
}};
// Point 0 of the band; point i is kPointBits * i later. The bit goes to the point's entry.
constexpr int kPointBits = 1;
constexpr FieldList<IGPEntry, 1> kPoint = {{
    {"In mask", {25, 1}, &IGPEntry::InMask},
}};
constexpr Field kBandCount = kFields[0].field;
constexpr Field kBand = kFields[1].field;
constexpr Field kIODI = kFields[2].field;
constexpr Field MaskBit(int i) { return kPoint[0].field.At(kPointBits * i); } // point i of the band, 0..200
}

// Ionospheric grid point mask. Constructing it lays the grid's coordinates into the buffer.
class TMT18 final : public TMOPSMsg {
public:
    explicit TMT18(IGPBuffer &grid);
    // Sets or clears the mask flags of the message's band. Bands 11 to 15 have no grid
    // points and are ignored.
    void Decode() override;

private:
    IGPBuffer &grid_;
};
