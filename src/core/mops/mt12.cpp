#include "mops/mt12.h"

void TMT12::Decode()
{
    if (Message().empty())
        return;
    DecodeListed<mt12::kFields>(*this, data_);
}
