#include "link/message_text.h"

#include "mops/aux_functions.h"
#include "mops/message_bits.h"
#include "mops/mt02_05.h"

#include <array>
#include <cstdint>

namespace {

// Value of a hexadecimal digit of either case; 16 for anything else.
constexpr std::array<uint8_t, 256> kAnyCaseNibble = [] {
    std::array<uint8_t, 256> t{};
    for (auto &v : t)
        v = 16;
    for (int c = '0'; c <= '9'; ++c)
        t[static_cast<std::size_t>(c)] = static_cast<uint8_t>(c - '0');
    for (int c = 'A'; c <= 'F'; ++c) {
        t[static_cast<std::size_t>(c)] = static_cast<uint8_t>(c - 'A' + 10);
        t[static_cast<std::size_t>(c - 'A' + 'a')] = static_cast<uint8_t>(c - 'A' + 10);
    }
    return t;
}();

} // namespace

std::optional<int> MessageTypeOf(const std::string &text)
{
    if (text.size() < 4)
        return std::nullopt;
    const unsigned high = kAnyCaseNibble[static_cast<unsigned char>(text[2])];
    const unsigned low = kAnyCaseNibble[static_cast<unsigned char>(text[3])];
    if ((high | low) & 16)
        return std::nullopt;
    return static_cast<int>(((high << 4 | low) >> 2) & 0x3F);
}

bool IsEmptyMt0(const MessageBits &bits)
{
    using namespace mt02_05;
    for (int i = 0; i < kCorrections; ++i) {
        if (bits.Read(PRC(i).start, PRC(i).width) != 0)
            return false;
        if (kUDRE[static_cast<std::size_t>(bits.Read(UDREI(i).start, UDREI(i).width) & 0xF)] != 0.75)
            return false;
    }
    return true;
}

bool IsEmptyMt0(const std::string &text)
{
    return IsEmptyMt0(MessageBits(text));
}
