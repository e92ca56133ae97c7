#include "mops/mt06.h"

void TMT06::Decode()
{
    if (Message().empty())
        return;
    for (int type = 2; type <= 5; ++type)
        data_.IODF[type - 2] = static_cast<int32_t>(RawValue(*this, mt06::IODF(type)));
    for (int n = 1; n <= mt06::kSatellites; ++n) {
        const auto udrei = RawValue(*this, mt06::UDREI(n));
        data_.Slot[n - 1] = {static_cast<double>(udrei), kUDRE[udrei], kVarUDRE[udrei]};
    }
}
