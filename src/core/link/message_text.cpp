#include "link/message_text.h"

#include "mops/aux_functions.h"
#include "mops/mt02_05.h"

#include <cctype>

std::optional<int> MessageTypeOf(const std::string &text)
{
    if (text.size() < 4 || !std::isxdigit(static_cast<unsigned char>(text[2])) ||
        !std::isxdigit(static_cast<unsigned char>(text[3])))
        return std::nullopt;
    return (std::stoi(text.substr(2, 2), nullptr, 16) >> 2) & 0x3F;
}

bool IsEmptyMt0(const std::string &text)
{
    using namespace mt02_05;
    for (int i = 0; i < kCorrections; ++i) {
        if (BitField(text, PRC(i).start, PRC(i).width) != 0)
            return false;
        if (kUDRE[BitField(text, UDREI(i).start, UDREI(i).width) & 0xF] != 0.75)
            return false;
    }
    return true;
}
