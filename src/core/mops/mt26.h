#pragma once

#include "mops/named_field.h"
#include "state/shared_buffers.h"

// The fields around a delay message's points.
struct IonoDelayHeader {
    int32_t Band = 0, BlockID = 0, IODI = 0;
};

namespace mt26 {
constexpr FieldList<IonoDelayHeader, 3> kFields = {{
    {"Band #", {15, 4}, &IonoDelayHeader::Band},
    {"Block ID", {19, 4}, &IonoDelayHeader::BlockID},
    {"IODI", {218, 2}, &IonoDelayHeader::IODI},
}};
// Point 0 of the block, in the order of the message and the window's columns; point n is
// kPointBits * n later. The values go to the point's grid entry.
constexpr int kPoints = 15;
constexpr int kPointBits = 13;
constexpr FieldList<IGPEntry, 2> kPoint = {{
    {"Vertical Delay (m)", {23, 9, false, 0.125}, &IGPEntry::VerticalDelay},
    {"GIVEI", {32, 4}, &IGPEntry::GIVEI},
}};
constexpr Field kBand = kFields[0].field;
constexpr Field kBlockID = kFields[1].field;
constexpr Field kIODI = kFields[2].field;
constexpr Field Delay(int n) { return kPoint[0].field.At(kPointBits * n); } // n = 0..14
constexpr Field GIVEI(int n) { return kPoint[1].field.At(kPointBits * n); }
constexpr int kDelayDoNotUse = 511; // raw delay of 63.875 m: "Do Not Use"
}

// Ionospheric delays of one block of 15 masked grid points, written into the grid.
class TMT26 final : public TMOPSMsg {
public:
    explicit TMT26(IGPBuffer &grid) : grid_(grid) {}
    // Points the band's mask does not reach, and bands 11 to 15, are skipped.
    void Decode() override;

private:
    IGPBuffer &grid_;
};
