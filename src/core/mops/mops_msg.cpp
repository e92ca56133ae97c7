#include "mops/mops_msg.h"

#include "mops/aux_functions.h"

void TMOPSMsg::SetMessage(const std::string &text)
{
    if (!text.empty())
        message_ = text;
}

int32_t TMOPSMsg::BitField(int start, int width) const
{
    return ::BitField(message_, start, width);
}
