#include "mops/message_bits.h"

#include "mops/aux_functions.h"
#include "text/hex_digits.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {


#if defined(__SSE2__)
// Sixteen upper-case hexadecimal digits into eight bytes at once; false, with nothing written,
// when one of them is anything else.
bool SixteenUpperDigits(const unsigned char *digit, uint8_t *out)
{
    const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i *>(digit));
    // A digit is at most 9 above '0', a letter at most 5 above 'A' (unsigned: below is far above).
    const __m128i fromZero = _mm_sub_epi8(x, _mm_set1_epi8('0'));
    const __m128i fromA = _mm_sub_epi8(x, _mm_set1_epi8('A'));
    const __m128i isDigit = _mm_cmpeq_epi8(_mm_min_epu8(fromZero, _mm_set1_epi8(9)), fromZero);
    const __m128i isLetter = _mm_cmpeq_epi8(_mm_min_epu8(fromA, _mm_set1_epi8(5)), fromA);
    if (_mm_movemask_epi8(_mm_or_si128(isDigit, isLetter)) != 0xFFFF)
        return false;
    const __m128i value = _mm_or_si128(_mm_and_si128(isDigit, fromZero),
                                       _mm_and_si128(isLetter, _mm_add_epi8(fromA, _mm_set1_epi8(10))));
    // Each pair of digits, lying in 16 bits first digit low, into one byte, first digit high.
    const __m128i high = _mm_slli_epi16(_mm_and_si128(value, _mm_set1_epi16(0x00FF)), 4);
    const __m128i low = _mm_srli_epi16(value, 8);
    const __m128i pairs = _mm_or_si128(high, low);
    _mm_storel_epi64(reinterpret_cast<__m128i *>(out), _mm_packus_epi16(pairs, pairs));
    return true;
}
#endif

} // namespace

void MessageBits::Assign(const std::string &text)
{
    bytes_.fill(0);
    digits_ = text.size();
    empty_ = text.empty();
    totalBits_ = static_cast<int64_t>(text.size()) * 4;
    wholeBits_ = empty_ ? -1 : std::min<int64_t>(totalBits_, kHeldDigits * 4);
    const std::size_t held = std::min<std::size_t>(text.size(), kHeldDigits);
    const auto *digit = reinterpret_cast<const unsigned char *>(text.data());
    // Two digits a byte, without a branch per digit: a digit that is no upper-case hex digit
    // looks up 16, whose low four bits are 0000, and marks the text in `stray`.
    unsigned stray = 0;
    std::size_t i = 0;
#if defined(__SSE2__)
    // Sixteen at a time while they are all upper-case digits, as a message's are.
    while (i + 16 <= held && SixteenUpperDigits(digit + i, &bytes_[i / 2]))
        i += 16;
#endif
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
    if (text.size() > kHeldDigits) {
        longText_ = text;
        for (std::size_t i = kHeldDigits; i < text.size() && allUpperHex_; ++i)
            allUpperHex_ = kUpperNibble[static_cast<unsigned char>(text[i])] != 16;
    } else {
        longText_.clear();
    }
}

int32_t MessageBits::ReadLong(int start, int width) const
{
    return ::BitField(longText_, start, width);
}
