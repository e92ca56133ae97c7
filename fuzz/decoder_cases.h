#pragma once

// The decoder target's cases, picked by an input line's first character: first every decoder
// of the message catalogue in its order, then the readers of the types that have none there.
#include "link/message_catalogue.h"

#include <array>
#include <cstddef>

namespace decoder_cases {

constexpr std::size_t CountDecoders()
{
    std::size_t n = 0;
    for (const HandledType &t : kHandledTypes)
        n += t.decoder ? 1 : 0;
    return n;
}
constexpr int kDecoders = static_cast<int>(CountDecoders());

constexpr std::array<const HandledType *, kDecoders> Decoders()
{
    std::array<const HandledType *, kDecoders> rows{};
    std::size_t n = 0;
    for (const HandledType &t : kHandledTypes)
        if (t.decoder)
            rows[n++] = &t;
    return rows;
}
inline constexpr auto kDecoderRows = Decoders();

// After the decoders: the type 1 mask, the fast corrections, the type and the empty type 0
// rule, and the byte reader against the text reader.
enum Extra { kMask = kDecoders, kFastCorrections, kType, kReaders, kCases };

// The selector character of a message type's case, for the seeds.
constexpr char SelectorOf(int type)
{
    int c = kReaders;
    for (int i = 0; i < kDecoders; ++i)
        if (kDecoderRows[static_cast<std::size_t>(i)]->type == type)
            c = i;
    if (type == 1)
        c = kMask;
    else if (type >= 2 && type <= 5)
        c = kFastCorrections;
    else if (type == 0 || type == 63)
        c = kType;
    return static_cast<char>('@' + c);
}

} // namespace decoder_cases
