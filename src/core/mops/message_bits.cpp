#include "mops/message_bits.h"

#include "mops/aux_functions.h"

namespace {

// Value of an upper-case hex digit; 16 for anything else (read as 0000).
constexpr std::array<uint8_t, 256> kUpperNibble = [] {
    std::array<uint8_t, 256> t{};
    for (auto &v : t)
        v = 16;
    for (int c = '0'; c <= '9'; ++c)
        t[c] = static_cast<uint8_t>(c - '0');
    for (int c = 'A'; c <= 'F'; ++c)
        t[c] = static_cast<uint8_t>(c - 'A' + 10);
    return t;
}();

} // namespace

void MessageBits::Assign(const std::string &text)
{
    bytes_.fill(0);
    digits_ = text.size();
    empty_ = text.empty();
    totalBits_ = static_cast<int64_t>(text.size()) * 4;
    const std::size_t held = std::min<std::size_t>(text.size(), kDigits);
    const auto *digit = reinterpret_cast<const unsigned char *>(text.data());
    // Two digits a byte, without a branch per digit: a digit that is no upper-case hex digit
    // looks up 16, whose low four bits are 0000, and marks the text in `stray`.
    unsigned stray = 0;
    std::size_t i = 0;
    for (; i + 1 < held; i += 2) {
        const unsigned high = kUpperNibble[digit[i]];
        const unsigned low = kUpperNibble[digit[i + 1]];
        stray |= high | low;
        bytes_[i / 2] = static_cast<uint8_t>(((high & 15) << 4) | (low & 15));
    }
    if (i < held) {
        const unsigned high = kUpperNibble[digit[i]];
        stray |= high;
        bytes_[i / 2] = static_cast<uint8_t>((high & 15) << 4);
    }
    allUpperHex_ = (stray & 16) == 0;
    if (text.size() > kDigits) {
        longText_ = text;
        for (std::size_t i = kDigits; i < text.size() && allUpperHex_; ++i)
            allUpperHex_ = kUpperNibble[static_cast<unsigned char>(text[i])] != 16;
    } else {
        longText_.clear();
    }
}

int32_t MessageBits::ReadLong(int start, int width) const
{
    return ::BitField(longText_, start, width);
}
