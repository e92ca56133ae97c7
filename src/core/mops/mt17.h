#pragma once

#include "mops/named_field.h"

#include <array>
#include <string>

struct TGEOAlmanac {
    int32_t DataID = 0, PRN = 0;           // PRN 0 marks an empty almanac slot
    int32_t Xg = 0, Yg = 0, Zg = 0;        // m
    int32_t Xg_roc = 0, Yg_roc = 0, Zg_roc = 0; // m/s
    bool Ranging = false, Corrections = false, Integrity = false; // true: the service is on
    std::string ServiceProvider;
};

namespace mt17 {
constexpr int kAlmanacs = 3;
constexpr int kAlmanacBits = 67;
// One almanac's fields; the next almanac's are kAlmanacBits later.
constexpr FieldList<TGEOAlmanac, 8> kFields = {{
    {"Data ID", {15, 2}, &TGEOAlmanac::DataID},
    {"PRN", {17, 8}, &TGEOAlmanac::PRN},
    {"X Co-ordinate", {33, 15, true, 2600}, &TGEOAlmanac::Xg},
    {"Y Co-ordinate", {48, 15, true, 2600}, &TGEOAlmanac::Yg},
    {"Z Co-ordinate", {63, 9, true, 26000}, &TGEOAlmanac::Zg},
    {"X rate (m/s)", {72, 3, true, 10}, &TGEOAlmanac::Xg_roc},
    {"Y rate (m/s)", {75, 3, true, 10}, &TGEOAlmanac::Yg_roc},
    {"Z rate (m/s)", {78, 4, true, 60}, &TGEOAlmanac::Zg_roc},
}};
// Service provider in the top four bits; ranging, corrections and integrity off in bits 0-2.
constexpr Field kHealth{25, 8};
constexpr Field kT0{216, 11, false, 64};
}

class TMT17 final : public TMOPSMsg {
public:
    using TMOPSMsg::TMOPSMsg;
    void Decode() override;

    const TGEOAlmanac &GEO(int k) const { return geo_.at(k); } // k = 0..2
    int32_t TOD() const { return tod_; }

    // By the 4-bit service provider identifier.
    static const std::array<std::string, 16> ProviderNames;

private:
    std::array<TGEOAlmanac, mt17::kAlmanacs> geo_{};
    int32_t tod_ = 0;
};
