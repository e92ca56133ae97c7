#include "mops/mops_msg.h"

void TMOPSMsg::SetMessage(const std::string &text)
{
    if (text.empty())
        return;
    message_ = text;
    bits_.Assign(text);
}
