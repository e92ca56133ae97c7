#pragma once

#include "mops/message_bits.h"

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>

// Field access on a message held as hexadecimal text. Bits are numbered from 1:
// bit 1 is the most significant bit of the first digit (the preamble's first bit).

// Unsigned value of `width` bits from bit `start`; bits past the end read as absent,
// characters that are not upper-case hex digits read as 0000, an empty text gives -1.
// A 32-bit field with its top bit set comes back as a negative number with the same bits.
int32_t BitField(const std::string &text, int start, int width);

// The width-bit pattern `raw` read as a two's-complement number. Every field read goes
// through it: inline.
inline int64_t TwosComplement(int64_t raw, int width)
{
    if (width >= 32)
        return static_cast<int32_t>(static_cast<uint32_t>(raw));
    const int64_t span = int64_t{1} << width;
    return raw >= span / 2 ? raw - span : raw;
}

// The (Ni + Nf)-bit pattern N as a two's-complement fixed-point number with Nf fraction bits.
// A pattern wider than its field, or a field wider than 32 bits, is a programming error.
double FixedPointValue(int64_t N, int Ni, int Nf);

class AssertionFailed : public std::logic_error {
public:
    using std::logic_error::logic_error;
};

// A type 2 to 5 message: 13 corrections (m) and their UDRE indicators with the looked-up values.
using FastCorrections = std::array<double, 13>;
struct UDREIVectors {
    std::array<double, 13> udrei{};
    std::array<double, 13> udre{};
    std::array<double, 13> variance{};
};

FastCorrections FastCorrectionVector(const std::string &text);
FastCorrections FastCorrectionVector(const MessageBits &bits);
// Throws std::invalid_argument when the indicator digits are missing or not hexadecimal.
// Reads the digit pairs themselves: lower-case digits count here, unlike in the bytes.
UDREIVectors UDREIVector(const std::string &text);

// Indicator values 14 and 15 are coded as these markers in both UDRE columns.
constexpr double kNotMonitored = 10000.0;
constexpr double kDoNotUse = 20000.0;

extern const std::array<double, 16> kUDRE;    // metres, by UDREI
extern const std::array<double, 16> kVarUDRE; // square metres, by UDREI
