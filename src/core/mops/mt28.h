#pragma once

#include "mops/field.h"
#include "mops/long_term.h"

#include <array>

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
constexpr int kSecondSatellite = 105;
constexpr Field kMaskNumber{17, 6};
constexpr Field kScaleExponent{23, 3};
// E11, E22, E33, E44 unsigned, then E12, E13, E14, E23, E24, E34 signed.
constexpr std::array<Field, 10> kElements = {{{26, 9},        {35, 9},        {44, 9},        {53, 9},
                                              {62, 10, true}, {72, 10, true}, {82, 10, true}, {92, 10, true},
                                              {102, 10, true}, {112, 10, true}}};
std::array<int32_t *, 10> Elements(TClockEphCovMatrix &c); // in the order of kElements
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
