#include "mops/mt09.h"

void TMT09::Decode()
{
    if (Message().empty())
        return;
    using namespace mt09;
    data_ = {IntValue(*this, kT0),    IntValue(*this, kURA),   Value(*this, kX),
             Value(*this, kY),        Value(*this, kZ),        Value(*this, kXRate),
             Value(*this, kYRate),    Value(*this, kZRate),    Value(*this, kXAcc),
             Value(*this, kYAcc),     Value(*this, kZAcc),     Value(*this, kAf0),
             Value(*this, kAf1)};
}
