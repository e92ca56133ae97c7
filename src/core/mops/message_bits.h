#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <string>

// A message's hexadecimal text turned into bytes once, so that each field is a load, a shift
// and a mask. Reads give the same values as the text reader `BitField`: bits past the end of the
// text are absent (a field cut short by the end holds only the bits before it), digits that are
// not upper-case hex read as 0000, and an empty text reads -1 whatever the field.
class MessageBits {
public:
    static constexpr int kDigits = 64; // one full message

    MessageBits() = default;
    explicit MessageBits(const std::string &text) { Assign(text); }

    void Assign(const std::string &text);

    // Unsigned value of `width` bits from bit `start` (1 = first bit of the first digit);
    // widths above 32 read as 32, starts below 1 as 1.
    int32_t Read(int start, int width) const
    {
        if (empty_)
            return -1;
        if (width > 32)
            width = 32;
        if (start < 1)
            start = 1;
        const int64_t first = start;
        const int64_t last = std::min<int64_t>(first + width - 1, totalBits_);
        if (last < first)
            return 0;
        if (last > kDigits * 4)
            return ReadLong(start, width);
        // At most 32 bits starting anywhere in a byte lie inside the 8 bytes from that byte.
        const auto byte = static_cast<std::size_t>((first - 1) / 8);
        uint64_t word;
        std::memcpy(&word, &bytes_[byte], sizeof word);
        word = BigEndian(word);
        const int64_t wordLast = static_cast<int64_t>(byte) * 8 + 64; // last bit the word holds
        const int bits = static_cast<int>(last - first + 1);
        return static_cast<int32_t>(static_cast<uint32_t>((word >> (wordLast - last)) & ((uint64_t{1} << bits) - 1)));
    }

    // Every digit of the text is 0-9 or A-F: the text and the bytes say the same.
    bool AllUpperHex() const { return allUpperHex_; }
    std::size_t Digits() const { return digits_; }

private:
    static uint64_t BigEndian(uint64_t stored)
    {
#if defined(__GNUC__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
        return __builtin_bswap64(stored);
#else
        const auto *b = reinterpret_cast<const unsigned char *>(&stored);
        uint64_t word = 0;
        for (int k = 0; k < 8; ++k)
            word = (word << 8) | b[k];
        return word;
#endif
    }
    int32_t ReadLong(int start, int width) const;

    std::array<uint8_t, kDigits / 2 + 8> bytes_{}; // 8 zero bytes after the message for whole-word loads
    int64_t totalBits_ = 0;
    std::size_t digits_ = 0;
    bool empty_ = true;
    bool allUpperHex_ = true;
    std::string longText_; // only for texts longer than a message, read by the text reader past its end
};
