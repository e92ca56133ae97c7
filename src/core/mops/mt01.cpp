#include "mops/mt01.h"

#include <stdexcept>

namespace {

// A field that lies within one hexadecimal digit, read from the digit itself: either case
// counts, and anything else (or a text too short) is refused rather than read as zeros.
int DigitField(const std::string &text, const Field &f)
{
    const auto position = static_cast<std::size_t>((f.start - 1) / 4);
    if (position >= text.size())
        throw std::invalid_argument("type 1 message too short: " + text);
    const char c = text[position];
    int digit;
    if (c >= '0' && c <= '9')
        digit = c - '0';
    else if (c >= 'A' && c <= 'F')
        digit = c - 'A' + 10;
    else if (c >= 'a' && c <= 'f')
        digit = c - 'a' + 10;
    else
        throw std::invalid_argument(std::string("'") + c + "' is not a valid hexadecimal digit");
    return (digit >> (4 - (f.start - 1) % 4 - f.width)) & ((1 << f.width) - 1);
}

} // namespace

int TMT01::ReadIODP() const
{
    if (text_.empty())
        return -1;
    return DigitField(text_, mt01::kIODP);
}

bool TMT01::SlotActive(int n) const
{
    if (text_.empty())
        return false;
    return DigitField(text_, mt01::Slot(n)) != 0;
}

void TMT01::Update()
{
    if (text_.empty())
        return;
    const int iodp = BitField(text_, mt01::kIODP.start, mt01::kIODP.width);
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
