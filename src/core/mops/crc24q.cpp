#include "mops/crc24q.h"

#include "mops/mops_msg.h"
#include "text/hex_digits.h"

#include <array>

namespace {

constexpr uint32_t kPoly = 0x1864CFB;

constexpr std::array<uint32_t, 256> MakeTable()
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

constexpr int kMessageDigits = 63; // 250 bits end in the 63rd digit
constexpr int kParityStart = 227;
constexpr int kParityBits = 24;

constexpr std::array<uint32_t, 256> kTable = MakeTable();

// The CRC of a byte followed by one zero byte, and by two: with the table above, three bytes
// at a time, the register being three bytes wide.
constexpr std::array<uint32_t, 256> Shifted(const std::array<uint32_t, 256> &byOne)
{
    std::array<uint32_t, 256> t{};
    for (uint32_t i = 0; i < 256; ++i)
        t[i] = ((byOne[i] << 8) ^ kTable[(byOne[i] >> 16) & 0xFF]) & 0xFFFFFF;
    return t;
}
constexpr std::array<uint32_t, 256> kTable2 = Shifted(kTable);
constexpr std::array<uint32_t, 256> kTable3 = Shifted(kTable2);

// Bits 227-250 of a message held in bytes: bytes 28 to 31 hold bits 225-256.
uint32_t SentParity(const uint8_t *bytes)
{
    const uint32_t word = uint32_t{bytes[28]} << 24 | uint32_t{bytes[29]} << 16 | uint32_t{bytes[30]} << 8 | bytes[31];
    return (word >> (256 - (kParityStart + kParityBits - 1))) & ((1u << kParityBits) - 1);
}

} // namespace

uint32_t Crc24Q(const uint8_t *data, int bits)
{
    const auto &table = kTable;
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
        const int d = HexDigitValue(text[static_cast<std::size_t>(i)]);
        if (d < 0)
            return false;
        bytes[static_cast<std::size_t>(i / 2)] |= static_cast<uint8_t>(i % 2 == 0 ? d << 4 : d);
    }
    return Crc24Q(bytes.data(), kParityStart - 1) == SentParity(bytes.data());
}

bool ParityHolds(const TMOPSMsg &message)
{
    const MessageBits &bits = message.Bits();
    if (!bits.AllUpperHex())
        return ParityHolds(message.Message());
    if (bits.Digits() < kMessageDigits)
        return false;
    // Bits 1-224 three bytes and then a byte at a time, then bits 225 and 226 one by one: the
    // CRC of the same 226 bits as Crc24Q's, without shifting every byte into place.
    const uint8_t *bytes = bits.Bytes();
    uint32_t crc = 0;
    constexpr int kWholeBytes = (kParityStart - 1) / 8;
    int i = 0;
    for (; i + 3 <= kWholeBytes; i += 3) {
        const uint32_t x = crc ^ (uint32_t{bytes[i]} << 16 | uint32_t{bytes[i + 1]} << 8 | bytes[i + 2]);
        crc = kTable3[x >> 16] ^ kTable2[(x >> 8) & 0xFF] ^ kTable[x & 0xFF];
    }
    for (; i < kWholeBytes; ++i)
        crc = ((crc << 8) ^ kTable[((crc >> 16) ^ bytes[i]) & 0xFF]) & 0xFFFFFF;
    for (int b = kWholeBytes * 8; b < kParityStart - 1; ++b) {
        const uint32_t in = (bytes[b / 8] >> (7 - b % 8)) & 1;
        crc = (((crc >> 23) ^ in) & 1) ? ((crc << 1) ^ kPoly) & 0xFFFFFF : (crc << 1) & 0xFFFFFF;
    }
    return crc == SentParity(bytes);
}
