#pragma once

#include "mops/field.h"

// Types 2 to 5 (and a type 0 with the same layout): 13 fast corrections and their UDRE
// indicators, for the masked satellites the type stands for.
namespace mt02_05 {
constexpr int kCorrections = 13;
constexpr Field kIODF{15, 2};
constexpr Field kIODP{17, 2};
constexpr Field PRC(int i) { return {19 + 12 * i, 12, true, 0.125}; } // m, i = 0..12
constexpr Field UDREI(int i) { return {175 + 4 * i, 4}; }
}
