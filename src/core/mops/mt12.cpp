#include "mops/mt12.h"

void TMT12::Decode()
{
    if (Message().empty())
        return;
    DecodeFields(*this, mt12::kFields, data_);
}
