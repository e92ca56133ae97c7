#include "mops/crc24q.h"

#include <array>

namespace {

constexpr uint32_t kPoly = 0x1864CFB;

std::array<uint32_t, 256> MakeTable()
{
    std::array<uint32_t, 256> table{};
    for (uint32_t i = 0; i < 256; ++i) {
        uint32_t crc = i << 16;
        for (int b = 0; b < 8; ++b)
            crc = (crc & 0x800000) ? ((crc << 1) ^ kPoly) : (crc << 1);
        table[i] = crc & 0xFFFFFF;
    }
    return table;
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

constexpr int kMessageDigits = 63; // 250 bits end in the 63rd digit
constexpr int kParityStart = 227;
constexpr int kParityBits = 24;

} // namespace

uint32_t Crc24Q(const uint8_t *data, int bits)
{
    static const auto table = MakeTable();
    // Leading zero bits leave a zero-initialised CRC unchanged: pad to whole bytes in front.
    const int pad = (8 - bits % 8) % 8;
    uint32_t crc = 0;
    uint8_t carry = 0;
    for (int i = 0; i < (bits + pad) / 8; ++i) {
        const uint8_t byte = pad == 0 ? data[i] : static_cast<uint8_t>(carry | (data[i] >> pad));
        carry = static_cast<uint8_t>(data[i] << (8 - pad));
        crc = ((crc << 8) ^ table[((crc >> 16) ^ byte) & 0xFF]) & 0xFFFFFF;
    }
    return crc;
}

bool ParityHolds(const std::string &text)
{
    if (text.size() < kMessageDigits)
        return false;
    std::array<uint8_t, 32> bytes{};
    for (int i = 0; i < kMessageDigits; ++i) {
        const int d = HexDigit(text[static_cast<std::size_t>(i)]);
        if (d < 0)
            return false;
        bytes[static_cast<std::size_t>(i / 2)] |= static_cast<uint8_t>(i % 2 == 0 ? d << 4 : d);
    }
    uint32_t sent = 0;
    for (int b = kParityStart; b < kParityStart + kParityBits; ++b) {
        const int bit = (bytes[static_cast<std::size_t>((b - 1) / 8)] >> (7 - (b - 1) % 8)) & 1;
        sent = (sent << 1) | static_cast<uint32_t>(bit);
    }
    return Crc24Q(bytes.data(), kParityStart - 1) == sent;
}
