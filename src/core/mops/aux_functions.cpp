#include "mops/aux_functions.h"

#include "mops/mt02_05.h"

#include <algorithm>
#include <cmath>
#include <string>

const std::array<double, 16> kUDRE = {0.75, 1.0, 1.25, 1.75, 2.25, 3.0, 3.75, 4.5,
                                      5.25, 6.0, 7.5,  15.0, 50.0, 150.0, kNotMonitored, kDoNotUse};
const std::array<double, 16> kVarUDRE = {0.052,  0.0924, 0.1444, 0.283,    0.4678,   0.8315,
                                         1.2992, 1.8709, 2.5465, 3.326,    5.1968,   20.787,
                                         230.9661, 2078.695, kNotMonitored, kDoNotUse};

namespace {

int NibbleOf(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return 0; // lower case and anything else reads as 0000
}

// Hex digit of either case; -1 for anything else.
int AnyCaseHex(char c)
{
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return c >= 'A' && c <= 'F' ? c - 'A' + 10 : (c >= '0' && c <= '9' ? c - '0' : -1);
}

// The digit pair as the indicator reader has always accepted it: two hex digits of either
// case, or one preceded by a tab, line feed, vertical tab, form feed or carriage return (a
// blank, a sign or anything else is refused). -1 when refused.
int PairValue(char high, char low)
{
    const int l = AnyCaseHex(low);
    if (l < 0)
        return -1;
    const int h = AnyCaseHex(high);
    if (h >= 0)
        return h * 16 + l;
    return high == '\t' || high == '\n' || high == '\v' || high == '\f' || high == '\r' ? l : -1;
}

} // namespace

int32_t BitField(const std::string &text, int start, int width)
{
    if (text.empty())
        return -1;
    if (width > 32)
        width = 32;
    if (start < 1)
        start = 1;
    const int64_t first = start;
    const int64_t last = std::min<int64_t>(first + width - 1, static_cast<int64_t>(text.size()) * 4);
    if (last < first)
        return 0;
    // Only the digits the field touches: at most nine for 32 bits.
    uint64_t digits = 0;
    for (int64_t d = (first - 1) / 4; d <= (last - 1) / 4; ++d)
        digits = (digits << 4) | static_cast<uint64_t>(NibbleOf(text[static_cast<std::size_t>(d)]));
    const int bits = static_cast<int>(last - first + 1);
    return static_cast<int32_t>(static_cast<uint32_t>((digits >> (3 - (last - 1) % 4)) & ((uint64_t{1} << bits) - 1)));
}

double FixedPointValue(int64_t N, int Ni, int Nf)
{
    const int W = Ni + Nf;
    if (W <= 63 && N > (int64_t{1} << W) - 1)
        throw AssertionFailed("Assertion failed: N<=pow(2,N_i+N_f)-1, file aux_functions, line 34");
    if (W > 32)
        throw AssertionFailed("Assertion failed: (N_i+N_f)<=32, file aux_functions, line 39");
    return std::ldexp(static_cast<double>(TwosComplement(N, W)), -Nf);
}

FastCorrections FastCorrectionVector(const MessageBits &bits)
{
    // 12-bit two's complement in steps of 1/8 m: exact in a double, no range check needed.
    FastCorrections prc{};
    for (int i = 0; i < mt02_05::kCorrections; ++i) {
        const Field f = mt02_05::PRC(i);
        const int32_t raw = bits.Read(f.start, f.width);
        prc[i] = raw < 0 ? FixedPointValue(static_cast<uint32_t>(raw), 9, 3)
                         : static_cast<double>(TwosComplement(raw, f.width)) * f.lsb;
    }
    return prc;
}

FastCorrections FastCorrectionVector(const std::string &text)
{
    return FastCorrectionVector(MessageBits(text));
}

UDREIVectors UDREIVector(const std::string &text)
{
    // Each indicator is read from the pair of digits it lies in (it straddles two digits).
    const auto pairOf = [](int i) { return static_cast<std::size_t>((mt02_05::UDREI(i).start - 1) / 4); };
    if (text.size() < pairOf(mt02_05::kCorrections - 1) + 2)
        throw std::invalid_argument("message too short for its UDRE indicators: " + text);
    UDREIVectors v;
    for (int i = 0; i < mt02_05::kCorrections; ++i) {
        const Field f = mt02_05::UDREI(i);
        const std::size_t pair = pairOf(i);
        const int byte = PairValue(text[pair], text[pair + 1]);
        if (byte < 0)
            throw std::invalid_argument("'" + text.substr(pair, 2) + "' is not a valid integer value");
        const int udrei = (byte >> (8 - (f.start - 1) % 4 - f.width)) & ((1 << f.width) - 1);
        v.udrei[i] = udrei;
        v.udre[i] = kUDRE[udrei];
        v.variance[i] = kVarUDRE[udrei];
    }
    return v;
}
