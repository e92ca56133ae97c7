#pragma once

#include "mops/field.h"
#include "state/shared_buffers.h"

namespace mt18 {
constexpr Field kBandCount{15, 4};
constexpr Field kBand{19, 4};
constexpr Field kIODI{23, 2};
constexpr Field MaskBit(int i) { return {25 + i, 1}; } // point i of the band, 0..200
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
