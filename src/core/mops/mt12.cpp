#include "mops/mt12.h"

void TMT12::Decode()
{
    if (Message().empty())
        return;
    using namespace mt12;
    data_ = {static_cast<float>(Value(*this, kA1)), static_cast<float>(Value(*this, kA0)),
             IntValue(*this, kT0t),      IntValue(*this, kWNt),     IntValue(*this, kDeltaTLS),
             IntValue(*this, kWNLSF),    IntValue(*this, kDN),      IntValue(*this, kDeltaTLSF),
             IntValue(*this, kUTCStandard), IntValue(*this, kGPSTOW), IntValue(*this, kGPSWeek),
             IntValue(*this, kGlonass)};
}
