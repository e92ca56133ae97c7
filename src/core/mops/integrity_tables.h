#pragma once

#include <array>

// By GIVE indicator; 15 ("Not Monitored") is coded as 10000 in both columns.
constexpr std::array<double, 16> kGIVE = {0.3, 0.6, 0.9, 1.2, 1.5, 1.8, 2.1, 2.4,
                                          2.7, 3.0, 3.6, 4.5, 6.0, 15.0, 45.0, 10000.0};
constexpr std::array<double, 16> kVarGIVE = {0.0084, 0.0333, 0.0749, 0.1331, 0.2079, 0.2994,
                                             0.4075, 0.5322, 0.6735, 0.8315, 1.1974, 1.8709,
                                             3.326,  20.787, 187.0826, 10000.0};
// By delta-UDRE indicator of a service message.
constexpr std::array<double, 16> kDeltaUDRE = {1.0, 1.1, 1.25, 1.5, 2.0,  3.0,  4.0,  5.0,
                                               6.0, 8.0, 10.0, 20.0, 30.0, 40.0, 50.0, 100.0};
