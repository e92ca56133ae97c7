#include "link/message_text.h"

#include "mops/aux_functions.h"
#include "mops/message_bits.h"
#include "mops/mt02_05.h"
#include "text/hex_digits.h"

#include <array>
#include <cstdint>

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
