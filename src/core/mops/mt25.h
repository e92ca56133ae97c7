#pragma once

#include "mops/mt24.h"

#include <array>

// One satellite of the last type 25 message.
struct TLongTermSEC {
    int32_t PRNMask = 0, IssueOfData = 0, TODApplicability = 0, IODP = 0;
    double DeltaX = 0, DeltaY = 0, DeltaZ = 0, DeltaX_roc = 0, DeltaY_roc = 0, DeltaZ_roc = 0, DeltaAf0 = 0,
           DeltaAf1 = 0;
    bool InfoAvailable = false;
};

namespace mt25 {
constexpr int kHalfBits = 106;
constexpr Field VelocityCode(int half) { return {15 + kHalfBits * half, 1}; }
}

class TMT25 final : public TMOPSMsg {
public:
    explicit TMT25(const PRNMaskBuffer &mask) : mask_(mask) {}
    void Decode() override;

    // Sat(0), Sat(1) hold the first half, Sat(2), Sat(3) the second; a velocity-code-1 half
    // fills only its first record.
    const TLongTermSEC &Sat(int i) const { return sat_.at(i); }
    const TLongTerm &Data() const { return data_; }

private:
    void DecodeHalf(int half);

    const PRNMaskBuffer &mask_;
    std::array<TLongTermSEC, 4> sat_{};
    TLongTerm data_;
};
