#include "mops/mt27.h"

#include "mops/integrity_tables.h"

#include <algorithm>

void TMT27::Decode()
{
    if (Message().empty())
        return;
    using namespace mt27;
    service_.IODS = IntValue(*this, kIODS);
    service_.NumberOfMessages = IntValue(*this, kNumberOfMessages) + 1;
    const int r = IntValue(*this, kMessageNumber);
    ServiceMessage &msg = service_.Message[r];
    msg.MessageNumber = r;
    msg.NumberOfRegions = IntValue(*this, kNumberOfRegions);
    msg.PriorityCode = IntValue(*this, kPriority);
    msg.DeltaUDREInside = kDeltaUDRE[RawValue(*this, kDeltaInside)];
    msg.DeltaUDREOutside = kDeltaUDRE[RawValue(*this, kDeltaOutside)];
    for (int k = 0; k < std::min(msg.NumberOfRegions, kRegionsKept); ++k) {
        const int b = kRegionBits * k;
        msg.Region[k] = {IntValue(*this, kLatitude1.At(b)), IntValue(*this, kLongitude1.At(b)),
                         IntValue(*this, kLatitude2.At(b)), IntValue(*this, kLongitude2.At(b)),
                         IntValue(*this, kShape.At(b))};
        msg.Valid = 1;
    }
}
