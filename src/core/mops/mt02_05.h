#pragma once

#include "mops/aux_functions.h"
#include "mops/field.h"

#include <array>
#include <cstdint>

class TMOPSMsg;

// Types 2 to 5 (and a type 0 with the same layout): 13 fast corrections and their UDRE
// indicators, for the masked satellites the type stands for.
namespace mt02_05 {
constexpr int kCorrections = 13;
constexpr Field kIODF{15, 2};
constexpr Field kIODP{17, 2};
// The first correction and indicator; the others follow 12 and 4 bits on. At() keeps the unit's
// decimal form, which a Field made afresh would work out again at every call.
constexpr Field kPRC0{19, 12, true, 0.125}; // m
constexpr Field kUDREI0{175, 4};
constexpr Field PRC(int i) { return kPRC0.At(12 * i); } // i = 0..12
constexpr Field UDREI(int i) { return kUDREI0.At(4 * i); }

// What one message says: the IODP of the mask it was made for, the corrections (m) and the
// indicators, with the UDRE (m) and variance (m^2) each stands for.
struct Reading {
    int iodp = 0;
    FastCorrections prc{};
    std::array<uint8_t, kCorrections> udrei{};
    double Udre(int i) const { return kUDRE[udrei[static_cast<std::size_t>(i)]]; }
    double Variance(int i) const { return kVarUDRE[udrei[static_cast<std::size_t>(i)]]; }
};

// Reads a message as the fast-correction window always has: without the server's
// three-character trailer, the indicators from the digit pairs they lie in. A text of
// upper-case digits long enough for the indicators is read from its bytes, any other from its
// digits. Throws std::invalid_argument when the indicator digits are missing or not hexadecimal.
Reading Read(const TMOPSMsg &message);

// The masked satellites a message shown as `type` covers, of `masked` in the mask: type 2 from
// the 1st, type 3 from the 14th, and so on, at most 13; none when the mask is shorter.
struct Covered {
    int first = 0; // position in the mask's slot list, from 0
    int count = 0;
};
Covered CoveredBy(int type, int masked);
} // namespace mt02_05
