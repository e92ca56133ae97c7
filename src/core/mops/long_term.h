#pragma once

#include "state/shared_buffers.h"

#include <array>
#include <cstdint>

// Per-PRN records of the long-term corrections. Tables are indexed by PRN 1..210;
// record 0 stands for no satellite.
struct LongTermVel0 {
    bool Available = false;
    int32_t IssueOfData = 0;
    double DeltaX = 0, DeltaY = 0, DeltaZ = 0; // m
    double DeltaAf0 = 0;                       // s
};

struct LongTermVel1 {
    bool Available = false;
    int32_t IssueOfData = 0;
    double DeltaX = 0, DeltaY = 0, DeltaZ = 0, DeltaAf0 = 0;
    double DeltaX_roc = 0, DeltaY_roc = 0, DeltaZ_roc = 0; // m/s
    double DeltaAf1 = 0;                                    // s/s
    int32_t TODApplicability = 0;                           // s
    int32_t IODP = 0;
};

template <typename Record>
using PerPRN = std::array<Record, kSlots + 1>;

struct TLongTerm {
    PerPRN<LongTermVel0> Vel0{};
    PerPRN<LongTermVel1> Vel1{};
};
