#include "sbas_message.h"

#include "mops/crc24q.h"
#include "text/hex_digits.h"

#include <cmath>

namespace {

constexpr int kDataBits = 226;
constexpr double kSecondsPerWeek = 604800;

void SetBit(std::array<uint8_t, 32> &bits, int n, bool value) // n from 1
{
    const auto mask = static_cast<uint8_t>(0x80 >> ((n - 1) % 8));
    uint8_t &byte = bits[static_cast<std::size_t>((n - 1) / 8)];
    byte = static_cast<uint8_t>(value ? byte | mask : byte & ~mask);
}

} // namespace

int SbasMessage::Type() const
{
    return bits[1] >> 2; // bits 9-14: the second byte's top six bits
}

std::string SbasMessage::Hex() const
{
    static const char digits[] = "0123456789ABCDEF";
    std::string hex;
    hex.reserve(64);
    for (const uint8_t b : bits) {
        hex += digits[b >> 4];
        hex += digits[b & 0xF];
    }
    return hex;
}

bool SbasMessage::ParityHolds() const
{
    return ::ParityHolds(Hex());
}

SbasMessage FromDataBits(int prn, int week, double tow, const uint8_t *bytes)
{
    SbasMessage m{prn, week, tow, {}};
    for (int i = 0; i < 28; ++i) // bits 1-224
        m.bits[static_cast<std::size_t>(i)] = bytes[i];
    m.bits[28] = static_cast<uint8_t>(bytes[28] & 0xC0); // bits 225-226
    const uint32_t crc = Crc24Q(m.bits.data(), kDataBits);
    for (int k = 0; k < 24; ++k)
        SetBit(m.bits, kDataBits + 1 + k, (crc >> (23 - k)) & 1);
    return m;
}

void StepBack(int &week, double &tow, double seconds)
{
    tow -= seconds;
    while (tow < 0) {
        tow += kSecondsPerWeek;
        --week;
    }
}

bool ParseHexDigits(const std::string &digits, uint8_t *out, std::size_t outSize)
{
    if (digits.size() > 2 * outSize)
        return false;
    for (std::size_t i = 0; i < outSize; ++i)
        out[i] = 0;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        const int v = HexDigitValue(digits[i]);
        if (v < 0)
            return false;
        out[i / 2] = static_cast<uint8_t>(out[i / 2] | (i % 2 == 0 ? v << 4 : v));
    }
    return true;
}
