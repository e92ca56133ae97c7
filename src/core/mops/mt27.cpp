#include "mops/mt27.h"

#include "mops/integrity_tables.h"

#include <algorithm>

void TMT27::Decode()
{
    if (Message().empty())
        return;
    using namespace mt27;
    ServiceHeader h;
    DecodeListed<kFields>(*this, h);
    service_.IODS = h.IODS;
    service_.NumberOfMessages = h.NumberOfMessages + 1;
    ServiceMessage &msg = service_.Message[h.MessageNumber];
    msg.MessageNumber = h.MessageNumber;
    msg.NumberOfRegions = h.NumberOfRegions;
    msg.PriorityCode = h.PriorityCode;
    msg.DeltaUDREInside = kDeltaUDRE[h.DeltaInside];
    msg.DeltaUDREOutside = kDeltaUDRE[h.DeltaOutside];
    for (int k = 0; k < std::min(msg.NumberOfRegions, kRegionsKept); ++k) {
        DecodeListed<kRegion>(*this, msg.Region[k], kRegionBits * k);
        msg.Valid = 1;
    }
}
