#pragma once

#include "mops/aux_functions.h"
#include "mops/mops_msg.h"

#include <cstdint>

// A decimal unit such as 0.08 m has no exact binary form, and a count times the rounded unit
// can land one step away from the decimal value ("0.24000000000000002" for 3 units). A whole
// mantissa times the count, divided by a power of ten, gives the number nearest the decimal
// value, whose shortest text is that decimal. Binary units come out exact either way.
struct DecimalUnit {
    int64_t mantissa = 0; // 0: the unit has no short decimal form
    double power = 1;
};

constexpr double Magnitude(double v) { return v < 0 ? -v : v; }

constexpr DecimalUnit DecimalUnitOf(double lsb)
{
    double power = 1;
    for (int digits = 0; digits <= 9; ++digits, power *= 10) {
        const double mantissa = lsb * power;
        const auto whole = static_cast<int64_t>(mantissa + (mantissa < 0 ? -0.5 : 0.5));
        const double w = static_cast<double>(whole);
        if (whole != 0 && Magnitude(mantissa - w) <= 1e-9 * Magnitude(w) && Magnitude(w) < 1e9)
            return {whole, power};
    }
    return {};
}

inline double Scaled(int64_t raw, double lsb, DecimalUnit unit)
{
    return unit.mantissa != 0 ? static_cast<double>(raw * unit.mantissa) / unit.power : static_cast<double>(raw) * lsb;
}

inline double Scaled(int64_t raw, double lsb)
{
    return Scaled(raw, lsb, DecimalUnitOf(lsb));
}

// One message field: first bit (1 = first preamble bit), width, two's complement or not,
// and the value of one unit of the raw field (with its decimal form, worked out once).
struct Field {
    int start;
    int width;
    bool isSigned = false;
    double lsb = 1.0;
    DecimalUnit decimal;

    constexpr Field(int start_, int width_, bool isSigned_ = false, double lsb_ = 1.0)
        : start(start_), width(width_), isSigned(isSigned_), lsb(lsb_), decimal(DecimalUnitOf(lsb_))
    {
    }
    // The same field `offset` bits on; the unit's decimal form is kept, not worked out again.
    constexpr Field At(int offset) const
    {
        Field f = *this;
        f.start += offset;
        return f;
    }
};

inline int64_t RawValue(const TMOPSMsg &m, const Field &f)
{
    const auto bits = static_cast<uint32_t>(m.BitField(f.start, f.width));
    return f.isSigned ? TwosComplement(bits, f.width) : static_cast<int64_t>(bits);
}

inline double Value(const TMOPSMsg &m, const Field &f)
{
    return Scaled(RawValue(m, f), f.lsb, f.decimal);
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
