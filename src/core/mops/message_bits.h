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
    static constexpr int kDigits = 64;     // one full message
    static constexpr int kHeldDigits = 80; // held as bytes: a message, the server's trailer and some

    MessageBits() = default;
    explicit MessageBits(const std::string &text) { Assign(text); }

    void Assign(const std::string &text);

    // Unsigned value of `width` bits from bit `start` (1 = first bit of the first digit);
    // widths above 32 read as 32, starts below 1 as 1.
    int32_t Read(int start, int width) const
    {
        // The common case first: a field of 1 to 32 bits that the held digits hold whole.
        if (start >= 1 && width >= 1 && width <= 32 && int64_t{start} + width - 1 <= wholeBits_)
            return static_cast<int32_t>(Field(start, width));
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
        if (last > kHeldDigits * 4)
            return ReadLong(start, width);
        return static_cast<int32_t>(Field(static_cast<int>(first), static_cast<int>(last - first + 1)));
    }

    // The `width` bits from bit `start` as they lie in the bytes, without the checks of Read: for
    // a reader that knows 1 <= start, 1 <= width <= 32 and that the text holds every bit of the
    // field within the held digits.
    uint32_t Field(int start, int width) const
    {
        // At most 32 bits starting anywhere in a byte lie inside the 8 bytes from that byte.
        const auto byte = static_cast<std::size_t>((start - 1) / 8);
        uint64_t word;
        std::memcpy(&word, &bytes_[byte], sizeof word);
        word = BigEndian(word);
        const int64_t wordLast = static_cast<int64_t>(byte) * 8 + 64; // last bit the word holds
        const int64_t last = int64_t{start} + width - 1;
        return static_cast<uint32_t>((word >> (wordLast - last)) & ((uint64_t{1} << width) - 1));
    }

    // Every digit of the text is 0-9 or A-F: the text and the bytes say the same.
    bool AllUpperHex() const { return allUpperHex_; }
    std::size_t Digits() const { return digits_; }
    bool Empty() const { return empty_; }
    // The first kHeldDigits digits two to a byte, the first digit in the high half of byte 0; a
    // missing or stray digit is 0000, and 8 zero bytes follow.
    const uint8_t *Bytes() const { return bytes_.data(); }

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

    std::array<uint8_t, kHeldDigits / 2 + 8> bytes_{}; // 8 zero bytes after the digits for whole-word loads
    int64_t totalBits_ = 0;
    int64_t wholeBits_ = -1; // the bits both the text and the bytes hold; -1 for an empty text
    std::size_t digits_ = 0;
    bool empty_ = true;
    bool allUpperHex_ = true;
    std::string longText_; // only for texts longer than the held digits, read by the text reader past them
};
