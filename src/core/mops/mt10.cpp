#include "mops/mt10.h"

void TMT10::Decode()
{
    if (Message().empty())
        return;
    DecodeListed<mt10::kFields>(*this, data_);
}
