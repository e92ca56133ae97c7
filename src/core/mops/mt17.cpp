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
        DecodeListed<mt17::kFields>(*this, g, b);
        const auto health = RawValue(*this, kHealth.At(b));
        g.Ranging = (health & 1) == 0;
        g.Corrections = (health & 2) == 0;
        g.Integrity = (health & 4) == 0;
        g.ServiceProvider = ProviderNames[(health & 0xF0) >> 4];
    }
    tod_ = IntValue(*this, kT0);
}
