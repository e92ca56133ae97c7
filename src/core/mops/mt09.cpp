#include "mops/mt09.h"

void TMT09::Decode()
{
    if (Message().empty())
        return;
    DecodeFields(*this, mt09::kFields, data_);
}
