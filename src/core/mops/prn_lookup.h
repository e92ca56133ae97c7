#pragma once

#include "state/shared_buffers.h"

// The slot (PRN) of PRN mask number m in the slot list of the most recent type 1 mask,
// whatever IODP the message being decoded carries; 0 for none.
inline int LookupPRN(const PRNMaskBuffer &mask, int m)
{
    if (m < 1 || m > kSlots)
        return 0;
    const int slot = mask.slotList[mask.currentIODP % kIodps][m - 1];
    return slot <= kSlots ? slot : 0;
}
