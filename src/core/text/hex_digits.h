#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// The value of each hexadecimal digit, looked up by its character's byte: 0 to 15, or 16 for a
// character that is no digit of the kind the table takes.
constexpr std::array<uint8_t, 256> HexNibbles(bool lowerCaseToo)
{
    std::array<uint8_t, 256> t{};
    for (auto &v : t)
        v = 16;
    for (int c = '0'; c <= '9'; ++c)
        t[static_cast<std::size_t>(c)] = static_cast<uint8_t>(c - '0');
    for (int c = 'A'; c <= 'F'; ++c) {
        t[static_cast<std::size_t>(c)] = static_cast<uint8_t>(c - 'A' + 10);
        if (lowerCaseToo)
            t[static_cast<std::size_t>(c - 'A' + 'a')] = static_cast<uint8_t>(c - 'A' + 10);
    }
    return t;
}

inline constexpr std::array<uint8_t, 256> kUpperNibble = HexNibbles(false);
inline constexpr std::array<uint8_t, 256> kAnyCaseNibble = HexNibbles(true);

// A digit of either case; -1 for anything else.
inline int HexDigitValue(char c)
{
    const uint8_t v = kAnyCaseNibble[static_cast<unsigned char>(c)];
    return v == 16 ? -1 : v;
}
