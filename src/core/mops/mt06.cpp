#include "mops/mt06.h"

void TMT06::Decode()
{
    if (Message().empty())
        return;
    DecodeListed<mt06::kFields>(*this, data_);
    for (int n = 1; n <= mt06::kSatellites; ++n) {
        const auto udrei = RawValue(*this, mt06::UDREI(n));
        data_.Slot[n - 1] = {static_cast<double>(udrei), kUDRE[udrei], kVarUDRE[udrei]};
    }
}
