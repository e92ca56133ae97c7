#pragma once

#include "mops/aux_functions.h"
#include "mops/mops_msg.h"

#include <cmath>
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

// A decimal unit such as 0.08 m has no exact binary form, and a count times the rounded unit
// can land one step away from the decimal value ("0.24000000000000002" for 3 units). A whole
// mantissa times the count, divided by a power of ten, gives the number nearest the decimal
// value, whose shortest text is that decimal. Binary units come out exact either way.
inline double Scaled(int64_t raw, double lsb)
{
    double power = 1;
    for (int digits = 0; digits <= 9; ++digits, power *= 10) {
        const double mantissa = lsb * power;
        const double whole = std::nearbyint(mantissa);
        if (whole != 0 && std::fabs(mantissa - whole) <= 1e-9 * std::fabs(whole) && std::fabs(whole) < 1e9)
            return static_cast<double>(raw * static_cast<int64_t>(whole)) / power;
    }
    return static_cast<double>(raw) * lsb;
}

inline double Value(const TMOPSMsg &m, const Field &f)
{
    return Scaled(RawValue(m, f), f.lsb);
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
