#include "mops/mt09.h"

void TMT09::Decode()
{
    if (Message().empty())
        return;
    DecodeListed<mt09::kFields>(*this, data_);
}
