#pragma once

#include "mops/field.h"
#include "state/shared_buffers.h"

namespace mt26 {
constexpr int kPoints = 15;
constexpr Field kBand{15, 4};
constexpr Field kBlockID{19, 4};
constexpr Field Delay(int n) { return {23 + 13 * n, 9, false, 0.125}; }
constexpr Field GIVEI(int n) { return {32 + 13 * n, 4}; }
constexpr Field kIODI{218, 2};
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
