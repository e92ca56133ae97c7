#include "mops/mt17.h"

const std::array<std::string, 16> TMT17::ProviderNames = {
    "WAAS",    "ORVAN",   "MSAS",    "UNKNOWN", "UNKNOWN", "UNKNOWN", "UNKNOWN", "UNKNOWN",
    "UNKNOWN", "UNKNOWN", "UNKNOWN", "UNKNOWN", "UNKNOWN", "UNKNOWN", "UNKNOWN", "UNKNOWN"};

void TMT17::Decode()
{
    if (Message().empty())
        return;
    using namespace mt17;
    for (int k = 0; k < kAlmanacs; ++k) {
        const int b = kAlmanacBits * k;
        TGEOAlmanac &g = geo_[k];
        g.DataID = IntValue(*this, kDataID.At(b));
        g.PRN = IntValue(*this, kPRN.At(b));
        const auto health = RawValue(*this, kHealth.At(b));
        g.Ranging = (health & 1) == 0;
        g.Corrections = (health & 2) == 0;
        g.Integrity = (health & 4) == 0;
        g.ServiceProvider = ProviderNames[(health & 0xF0) >> 4];
        g.Xg = IntValue(*this, kX.At(b));
        g.Yg = IntValue(*this, kY.At(b));
        g.Zg = IntValue(*this, kZ.At(b));
        g.Xg_roc = IntValue(*this, kXRate.At(b));
        g.Yg_roc = IntValue(*this, kYRate.At(b));
        g.Zg_roc = IntValue(*this, kZRate.At(b));
    }
    tod_ = IntValue(*this, kT0);
}
