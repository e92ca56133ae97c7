#pragma once

#include "mops/named_field.h"

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
// In the order of the window's rows.
constexpr FieldList<TGEONavigation, 13> kFields = {{
    {"t_0 (s)", {23, 13, false, 16}, &TGEONavigation::TODApplicability},
    {"URA", {36, 4}, &TGEONavigation::URA},
    {"X_G (m)", {40, 30, true, 0.08}, &TGEONavigation::Xg},
    {"Y_G (m)", {70, 30, true, 0.08}, &TGEONavigation::Yg},
    {"Z_G (m)", {100, 25, true, 0.4}, &TGEONavigation::Zg},
    {"X_G Rate of Change (m/s)", {125, 17, true, 0.000625}, &TGEONavigation::Xg_roc},
    {"Y_G Rate of Change (m/s)", {142, 17, true, 0.000625}, &TGEONavigation::Yg_roc},
    {"Z_G Rate of Change (m/s)", {159, 18, true, 0.004}, &TGEONavigation::Zg_roc},
    {"X_G Acceleration (m/s^2)", {177, 10, true, 0.0000125}, &TGEONavigation::Xg_acc},
    {"Y_G Acceleration (m/s^2)", {187, 10, true, 0.0000125}, &TGEONavigation::Yg_acc},
    {"Z_G Acceleration (m/s^2)", {197, 10, true, 0.0000625}, &TGEONavigation::Zg_acc},
    {"a_Gf0 (s)", {207, 12, true, kPow2m31}, &TGEONavigation::Af0},
    {"a_Gf1 (s/s)", {219, 8, true, kPow2m40}, &TGEONavigation::Af1},
}};
}

class TMT09 final : public TMOPSMsg {
public:
    using TMOPSMsg::TMOPSMsg;
    void Decode() override;
    const TGEONavigation &Data() const { return data_; }

private:
    TGEONavigation data_;
};
