#include "workers/msgtype0.h"

#include "mops/aux_functions.h"

#include <stdexcept>

int TMsgType0::Digit(std::size_t position) const
{
    if (position < 1 || position > text_.size())
        throw std::invalid_argument("type 1 message too short: " + text_);
    const char c = text_[position - 1];
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    throw std::invalid_argument(std::string("'") + c + "' is not a valid hexadecimal digit");
}

int TMsgType0::ReadIODP() const
{
    if (text_.empty())
        return -1;
    return (Digit(57) / 4) % 4; // message bits 225 and 226
}

bool TMsgType0::SlotActive(int n) const
{
    if (text_.empty())
        return false;
    // Message bit 14 + n.
    return (Digit(static_cast<std::size_t>((n + 1) / 4 + 4)) >> (3 - (n + 1) % 4)) & 1;
}

void TMsgType0::Update()
{
    if (text_.empty())
        return;
    const int iodp = BitField(text_, 225, 2);
    mask_.currentIODP = static_cast<uint16_t>(iodp);
    int listed = 0;
    for (int i = 0; i < kSlots; ++i) {
        const bool on = SlotActive(i + 1);
        colourSlot_(i, on);
        mask_.mask[iodp][i] = on;
        if (on)
            mask_.slotList[iodp][listed++] = static_cast<uint16_t>(i + 1);
    }
    // A shorter mask than the one replaced leaves no stale satellites behind it.
    for (int k = listed; k < kSlots; ++k)
        mask_.slotList[iodp][k] = 0;
    mask_.received = 1;
}
