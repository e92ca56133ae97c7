#include "mops/mt07.h"

void TMT07::Decode()
{
    if (Message().empty())
        return;
    DecodeListed<mt07::kFields>(*this, data_);
    for (int n = 1; n <= mt07::kSatellites; ++n) {
        data_.Available[n - 1] = true;
        data_.DegradationIndicator[n - 1] = IntValue(*this, mt07::Indicator(n));
    }
}
