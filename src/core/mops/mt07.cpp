#include "mops/mt07.h"

void TMT07::Decode()
{
    if (Message().empty())
        return;
    data_.SystemLatency = IntValue(*this, mt07::kSystemLatency);
    data_.IODP = IntValue(*this, mt07::kIODP);
    for (int n = 1; n <= mt07::kSatellites; ++n) {
        data_.Available[n - 1] = true;
        data_.DegradationIndicator[n - 1] = IntValue(*this, mt07::Indicator(n));
    }
}
