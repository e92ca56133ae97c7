#pragma once

#include <array>

// Fast-correction degradation by indicator a_i: the factor a (m/s^2), the time-out intervals
// I_fc for non-precision (NPA) and precision approach (PA), and the maximum update interval (s).
struct FastDegradation {
    double a;
    int npa, pa, maxInterval;
};

constexpr std::array<FastDegradation, 16> kFastDegradation = {{{0, 180, 120, 60},       {0.00005, 180, 120, 60},
                                                               {0.00009, 153, 102, 51}, {0.00012, 135, 90, 45},
                                                               {0.00015, 135, 90, 45},  {0.0002, 117, 78, 39},
                                                               {0.0003, 99, 66, 33},    {0.00045, 81, 54, 27},
                                                               {0.0006, 63, 42, 21},    {0.0009, 45, 30, 15},
                                                               {0.0015, 45, 30, 15},    {0.0021, 27, 18, 9},
                                                               {0.0027, 27, 18, 9},     {0.0033, 27, 18, 9},
                                                               {0.0046, 18, 12, 6},     {0.0058, 18, 12, 6}}};
