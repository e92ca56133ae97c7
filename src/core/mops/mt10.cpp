#include "mops/mt10.h"

void TMT10::Decode()
{
    if (Message().empty())
        return;
    DecodeFields(*this, mt10::kFields, data_);
}
