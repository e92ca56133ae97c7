#pragma once

#include "mops/named_field.h"
#include "mops/long_term.h"

struct FastCorrection {
    bool Available = false;
    double PRC = 0;   // m
    int32_t UDREI = 0;
    double UDRE = 0;  // m
    double VarUDRE = 0;
};

struct TMixedFastLongTerm {
    PerPRN<FastCorrection> Fast{};
    PerPRN<LongTermVel0> Vel0{};
    PerPRN<LongTermVel1> Vel1{};
};

namespace mt24 {
constexpr int kFastSatellites = 6;
constexpr Field kPRC0{15, 12, true, 0.125};
constexpr Field kUDREI0{87, 4};
constexpr Field PRC(int s) { return kPRC0.At(12 * s); } // At() keeps the unit's decimal form
constexpr Field UDREI(int s) { return kUDREI0.At(4 * s); }
constexpr Field kIODP{111, 2};
constexpr Field kBlockID{113, 2};
constexpr Field kIODF{115, 2};
constexpr Field kVelocityCode{121, 1};
}

// The long-term half of a type 24 message and of either half of a type 25 message.
namespace long_term_half {
// Velocity code 1, one satellite; offsets from the half's first bit after the velocity code.
constexpr Field kMask1{1, 6};
constexpr FieldList<LongTermVel1, 11> kVel1 = {{
    {"IOD", {7, 8}, &LongTermVel1::IssueOfData},
    {"dX (m)", {15, 11, true, 0.125}, &LongTermVel1::DeltaX},
    {"dY (m)", {26, 11, true, 0.125}, &LongTermVel1::DeltaY},
    {"dZ (m)", {37, 11, true, 0.125}, &LongTermVel1::DeltaZ},
    {"dAf0 (s)", {48, 11, true, kPow2m31}, &LongTermVel1::DeltaAf0},
    {"dX_ROC (m/s)", {59, 8, true, kPow2m11}, &LongTermVel1::DeltaX_roc},
    {"dY_ROC (m/s)", {67, 8, true, kPow2m11}, &LongTermVel1::DeltaY_roc},
    {"dZ_ROC (m/s)", {75, 8, true, kPow2m11}, &LongTermVel1::DeltaZ_roc},
    {"dAf1 (s/s)", {83, 8, true, kPow2m39}, &LongTermVel1::DeltaAf1},
    {"TOD (s)", {91, 13, false, 16}, &LongTermVel1::TODApplicability},
    {"IODP", {104, 2}, &LongTermVel1::IODP},
}};
// Velocity code 0, two satellites 51 bits apart, then the half's IODP.
constexpr int kSecondSatellite = 51;
constexpr Field kMask0{1, 6};
constexpr FieldList<LongTermVel0, 5> kVel0 = {{
    {"IOD", {7, 8}, &LongTermVel0::IssueOfData},
    {"dX (m)", {15, 9, true, 0.125}, &LongTermVel0::DeltaX},
    {"dY (m)", {24, 9, true, 0.125}, &LongTermVel0::DeltaY},
    {"dZ (m)", {33, 9, true, 0.125}, &LongTermVel0::DeltaZ},
    {"dAf0 (s)", {42, 10, true, kPow2m31}, &LongTermVel0::DeltaAf0},
}};
constexpr Field kIODP0{103, 2};

// Readers relative to the velocity-code bit at `code`.
LongTermVel0 ReadVel0(const TMOPSMsg &m, int code, int satellite);
LongTermVel1 ReadVel1(const TMOPSMsg &m, int code);
}

class TMT24 final : public TMOPSMsg {
public:
    explicit TMT24(const PRNMaskBuffer &mask) : mask_(mask) {}
    // Does nothing until a type 1 mask has been received.
    void Decode() override;
    const TMixedFastLongTerm &Data() const { return data_; }

private:
    const PRNMaskBuffer &mask_;
    TMixedFastLongTerm data_;
};
