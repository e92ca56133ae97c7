#include "mops/mt02_05.h"

#include "mops/mops_msg.h"

#include <algorithm>
#include <string>
#include <utility>

namespace mt02_05 {

namespace {

constexpr std::size_t kTrailer = 3;
// Each indicator is read from the pair of digits it lies in: the last pair is digits 56 and 57.
constexpr std::size_t kIndicatorDigits = (UDREI(kCorrections - 1).start - 1) / 4 + 2;
static_assert(kIndicatorDigits == 57, "the last indicator's digit pair ends in digit 57");

// Correction and indicator i of a message whose bytes hold them, as FastCorrectionVector and
// UDREIVector read them: 12-bit two's complement in steps of 1/8 m, and 4 bits. The positions
// are known when compiling: each read is a load, a shift and a mask.
template <std::size_t... I>
void ReadBytes(const MessageBits &bits, Reading &r, std::index_sequence<I...>)
{
    ((r.prc[I] = static_cast<double>(TwosComplement(bits.Field(PRC(I).start, PRC(I).width), PRC(I).width)) * PRC(I).lsb,
      r.udrei[I] = static_cast<uint8_t>(bits.Field(UDREI(I).start, UDREI(I).width))),
     ...);
}

} // namespace

Reading Read(const TMOPSMsg &message)
{
    Reading r;
    const MessageBits &bits = message.Bits();
    if (bits.AllUpperHex() && bits.Digits() >= kIndicatorDigits + kTrailer) {
        // Every field lies before the trailer, and upper-case digits read alike either way.
        r.iodp = static_cast<int>(bits.Field(kIODP.start, kIODP.width));
        ReadBytes(bits, r, std::make_index_sequence<kCorrections>{});
        return r;
    }
    std::string text = message.Message();
    if (text.size() >= kTrailer)
        text.erase(text.size() - kTrailer);
    r.iodp = BitField(text, kIODP.start, kIODP.width) & 3;
    r.prc = FastCorrectionVector(text);
    const UDREIVectors integrity = UDREIVector(text);
    for (int i = 0; i < kCorrections; ++i)
        r.udrei[static_cast<std::size_t>(i)] = static_cast<uint8_t>(integrity.udrei[static_cast<std::size_t>(i)]);
    return r;
}

Covered CoveredBy(int type, int masked)
{
    const int64_t first = (int64_t{type} - 2) * kCorrections;
    const int64_t count = std::min<int64_t>(kCorrections, masked - first);
    if (count <= 0)
        return {};
    return {static_cast<int>(first), static_cast<int>(count)};
}

} // namespace mt02_05
