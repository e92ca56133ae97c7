#pragma once

#include "mops/field.h"

struct TGEONavigation {
    int32_t TODApplicability = 0; // seconds
    int32_t URA = 0;
    double Xg = 0, Yg = 0, Zg = 0;                // m
    double Xg_roc = 0, Yg_roc = 0, Zg_roc = 0;    // m/s
    double Xg_acc = 0, Yg_acc = 0, Zg_acc = 0;    // m/s^2
    double Af0 = 0;                               // s
    double Af1 = 0;                               // s/s
};

namespace mt09 {
constexpr Field kT0{23, 13, false, 16};
constexpr Field kURA{36, 4};
constexpr Field kX{40, 30, true, 0.08};
constexpr Field kY{70, 30, true, 0.08};
constexpr Field kZ{100, 25, true, 0.4};
constexpr Field kXRate{125, 17, true, 0.000625};
constexpr Field kYRate{142, 17, true, 0.000625};
constexpr Field kZRate{159, 18, true, 0.004};
constexpr Field kXAcc{177, 10, true, 0.0000125};
constexpr Field kYAcc{187, 10, true, 0.0000125};
constexpr Field kZAcc{197, 10, true, 0.0000625};
constexpr Field kAf0{207, 12, true, kPow2m31};
constexpr Field kAf1{219, 8, true, kPow2m40};
}

class TMT09 final : public TMOPSMsg {
public:
    using TMOPSMsg::TMOPSMsg;
    void Decode() override;
    const TGEONavigation &Data() const { return data_; }

private:
    TGEONavigation data_;
};
