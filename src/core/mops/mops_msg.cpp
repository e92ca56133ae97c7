#include "mops/mops_msg.h"

#include <cstring>

namespace {

// Message after message the text has the same length: then it is copied into the buffer it
// replaces, without the general assignment's checks.
void CopyText(std::string &to, const std::string &from)
{
    if (to.size() == from.size())
        std::memcpy(&to[0], from.data(), from.size());
    else
        to = from;
}

} // namespace

void TMOPSMsg::SetMessage(const std::string &text)
{
    if (text.empty())
        return;
    CopyText(message_, text);
    bits_.Assign(text);
}

void TMOPSMsg::SetMessage(const TMOPSMsg &message)
{
    if (message.message_.empty() || &message == this)
        return;
    CopyText(message_, message.message_);
    bits_ = message.bits_;
}
