#pragma once

#include "mops/named_field.h"
#include "mops/long_term.h"

#include <array>
#include <cmath>

// One satellite's clock-ephemeris covariance factor, all raw.
struct TClockEphCovMatrix {
    int32_t MaskNumber = 0, PRN = 0, ScaleExponent = 0;
    int32_t E11 = 0, E22 = 0, E33 = 0, E44 = 0, E12 = 0, E13 = 0, E14 = 0, E23 = 0, E24 = 0, E34 = 0;
};

struct TMessageType28 {
    std::array<TClockEphCovMatrix, 2> Sat{};
};

struct CovarianceRecord {
    bool Available = false;
    TClockEphCovMatrix Cov;
};
using TClkEphCovMatrixes = PerPRN<CovarianceRecord>;

namespace mt28 {
constexpr Field kIODP{15, 2};
constexpr int kSecondSatellite = 105; // bits from the first satellite's fields to the second's
constexpr FieldList<TClockEphCovMatrix, 2> kSatellite = {{
    {"Mask number", {17, 6}, &TClockEphCovMatrix::MaskNumber},
    {"Scale exponent", {23, 3}, &TClockEphCovMatrix::ScaleExponent},
}};
// The factor's elements in the window's order (row by row), not the message's: the diagonal
// comes first there, unsigned, then the signed elements above it.
constexpr FieldList<TClockEphCovMatrix, 10> kElements = {{
    {"E 1,1", {26, 9}, &TClockEphCovMatrix::E11},
    {"E 1,2", {62, 10, true}, &TClockEphCovMatrix::E12},
    {"E 1,3", {72, 10, true}, &TClockEphCovMatrix::E13},
    {"E 1,4", {82, 10, true}, &TClockEphCovMatrix::E14},
    {"E 2,2", {35, 9}, &TClockEphCovMatrix::E22},
    {"E 2,3", {92, 10, true}, &TClockEphCovMatrix::E23},
    {"E 2,4", {102, 10, true}, &TClockEphCovMatrix::E24},
    {"E 3,3", {44, 9}, &TClockEphCovMatrix::E33},
    {"E 3,4", {112, 10, true}, &TClockEphCovMatrix::E34},
    {"E 4,4", {53, 9}, &TClockEphCovMatrix::E44},
}};
// The scale factor the exponent stands for: 2^(exponent - 5).
inline double ScaleFactor(const TClockEphCovMatrix &c)
{
    return std::ldexp(1.0, c.ScaleExponent - 5);
}
}

class TMT28 final : public TMOPSMsg {
public:
    explicit TMT28(const PRNMaskBuffer &mask) : mask_(mask) {}
    void Decode() override;

    const TClkEphCovMatrixes &Data() const { return data_; }
    const TMessageType28 &LastCovs() const { return last_; }

private:
    const PRNMaskBuffer &mask_;
    TClkEphCovMatrixes data_{};
    TMessageType28 last_{};
};
