#include "mops/mt01.h"

#include "mops/aux_functions.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

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

constexpr std::size_t kMaskDigits = (mt01::kIODP.start + mt01::kIODP.width - 1 + 3) / 4; // 57: bits 1-226

} // namespace

int mt01::ReadIODP(const std::string &text)
{
    return text.empty() ? -1 : DigitField(text, kIODP);
}

bool mt01::SlotActive(const std::string &text, int n)
{
    return !text.empty() && DigitField(text, Slot(n)) != 0;
}

int TMT01::Take(const TMOPSMsg &message)
{
    iodp_ = -1;
    message_.SetMessage(message);
    if (message.Message().empty())
        return -1;
    const MessageBits &bits = message.Bits();
    // Upper-case digits read the same from the bytes; the IODP digit is then there and valid.
    const int iodp = bits.AllUpperHex() && bits.Digits() >= kMaskDigits ? bits.Read(mt01::kIODP.start, mt01::kIODP.width)
                                                                         : mt01::ReadIODP(message.Message());
    iodp_ = iodp;
    received_ = true;
    return iodp;
}

void TMT01::File()
{
    if (iodp_ < 0)
        return;
    const int iodp = std::exchange(iodp_, -1);
    const MessageBits &bits = message_.Bits();
    if (bits.AllUpperHex() && bits.Digits() >= kMaskDigits)
        FileBytes(iodp);
    else
        FileText(iodp);
    shared_.received = 1;
}

void TMT01::FileBytes(int iodp)
{
    const MessageBits &bits = message_.Bits();
    uint8_t *copy = copy_[iodp];
    MaskSlots &list = slots_[iodp];
    int listed = 0;
    // The slots' bits 32 at a time; each slot is listed in turn, the next entry taking the
    // next slot in the mask.
    for (int i = 0; i < kSlots; i += 32) {
        const int width = std::min(32, kSlots - i);
        const uint32_t word = bits.Field(mt01::Slot(i + 1).start, width);
        for (int j = 0; j < width; ++j) {
            const auto on = static_cast<uint8_t>((word >> (width - 1 - j)) & 1);
            copy[i + j] = on;
            list.slot[static_cast<std::size_t>(listed)] = static_cast<uint16_t>(i + j + 1);
            listed += on;
        }
    }
    std::fill(list.slot.begin() + listed, list.slot.end(), uint16_t{0});
    list.count = listed;
    std::copy(copy, copy + kSlots, filed_.begin());
    // The shared buffer under the same IODP: upper-case digits read alike either way.
    shared_.currentIODP = static_cast<uint16_t>(iodp);
    std::copy(copy, copy + kSlots, shared_.mask[iodp]);
    // A shorter mask than the one replaced leaves no stale satellites behind it.
    std::copy(list.slot.begin(), list.slot.end(), shared_.slotList[iodp]);
}

void TMT01::FileText(int iodp)
{
    const std::string &text = message_.Message();
    try {
        for (int i = 0; i < kSlots; ++i)
            copy_[iodp][i] = mt01::SlotActive(text, i + 1);
    } catch (const std::invalid_argument &) {
        ListCopy(iodp);
        throw;
    }
    ListCopy(iodp);
    // The shared buffer takes its IODP through the text reader, which reads a lower-case digit
    // as 0000: a lower-case IODP digit files the shared mask under another IODP than the copy.
    const int shared = ::BitField(text, mt01::kIODP.start, mt01::kIODP.width);
    shared_.currentIODP = static_cast<uint16_t>(shared);
    int listed = 0;
    for (int i = 0; i < kSlots; ++i) {
        const bool on = copy_[iodp][i] != 0;
        filed_[i] = on;
        shared_.mask[shared][i] = on;
        if (on)
            shared_.slotList[shared][listed++] = static_cast<uint16_t>(i + 1);
    }
    for (int k = listed; k < kSlots; ++k)
        shared_.slotList[shared][k] = 0;
}

void TMT01::ListCopy(int iodp)
{
    MaskSlots &list = slots_[iodp];
    list = {};
    for (int i = 0; i < kSlots; ++i)
        if (copy_[iodp][i])
            list.slot[static_cast<std::size_t>(list.count++)] = static_cast<uint16_t>(i + 1);
}
