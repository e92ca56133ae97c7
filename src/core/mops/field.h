#pragma once

#include "mops/aux_functions.h"
#include "mops/mops_msg.h"

#include <cstdint>

// One message field: first bit (1 = first preamble bit), width, two's complement or not,
// and the value of one unit of the raw field.
struct Field {
    int start;
    int width;
    bool isSigned = false;
    double lsb = 1.0;

    constexpr Field At(int offset) const { return {start + offset, width, isSigned, lsb}; }
};

inline int64_t RawValue(const TMOPSMsg &m, const Field &f)
{
    const auto bits = static_cast<uint32_t>(m.BitField(f.start, f.width));
    return f.isSigned ? TwosComplement(bits, f.width) : static_cast<int64_t>(bits);
}

inline double Value(const TMOPSMsg &m, const Field &f)
{
    return static_cast<double>(RawValue(m, f)) * f.lsb;
}

inline int32_t IntValue(const TMOPSMsg &m, const Field &f)
{
    return static_cast<int32_t>(RawValue(m, f) * static_cast<int64_t>(f.lsb));
}

// Powers of two used as units.
constexpr double kPow2m11 = 1.0 / 2048.0;
constexpr double kPow2m30 = 1.0 / 1073741824.0;
constexpr double kPow2m31 = 1.0 / 2147483648.0;
constexpr double kPow2m39 = 1.0 / 549755813888.0;
constexpr double kPow2m40 = 1.0 / 1099511627776.0;
constexpr double kPow2m50 = 1.0 / 1125899906842624.0;
