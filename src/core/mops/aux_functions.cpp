#include "mops/aux_functions.h"

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

} // namespace

int32_t BitField(const std::string &text, int start, int width)
{
    if (text.empty())
        return -1;
    if (width > 32)
        width = 32;
    if (start < 1)
        start = 1;
    const int64_t totalBits = static_cast<int64_t>(text.size()) * 4;
    uint32_t value = 0;
    for (int64_t bit = start; bit < static_cast<int64_t>(start) + width && bit <= totalBits; ++bit) {
        const int nibble = NibbleOf(text[static_cast<std::size_t>((bit - 1) / 4)]);
        value = (value << 1) | static_cast<uint32_t>((nibble >> (3 - (bit - 1) % 4)) & 1);
    }
    return static_cast<int32_t>(value);
}

int64_t TwosComplement(int64_t raw, int width)
{
    if (width >= 32)
        return static_cast<int32_t>(static_cast<uint32_t>(raw));
    const int64_t span = int64_t{1} << width;
    return raw >= span / 2 ? raw - span : raw;
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

FastCorrections FastCorrectionVector(const std::string &text)
{
    FastCorrections prc{};
    for (int i = 0; i < 13; ++i)
        prc[i] = FixedPointValue(static_cast<uint32_t>(BitField(text, 19 + 12 * i, 12)), 9, 3);
    return prc;
}

UDREIVectors UDREIVector(const std::string &text)
{
    // Indicator i sits in the middle four bits of the digit pair starting at digit 44 + i.
    if (text.size() < 57)
        throw std::invalid_argument("message too short for its UDRE indicators: " + text);
    UDREIVectors v;
    for (std::size_t i = 0; i < 13; ++i) {
        const std::string pair = text.substr(43 + i, 2);
        std::size_t used = 0;
        int byte = 0;
        try {
            byte = std::stoi(pair, &used, 16);
        } catch (const std::exception &) {
            used = 0;
        }
        if (used != 2 || pair[0] == '-' || pair[0] == '+' || pair[0] == ' ')
            throw std::invalid_argument("'" + pair + "' is not a valid integer value");
        const int udrei = (byte & 0x3C) >> 2;
        v.udrei[i] = udrei;
        v.udre[i] = kUDRE[udrei];
        v.variance[i] = kVarUDRE[udrei];
    }
    return v;
}
