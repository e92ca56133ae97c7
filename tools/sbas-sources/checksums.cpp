#include "checksums.h"

#include <array>

uint16_t UbxChecksum(const uint8_t *data, std::size_t size)
{
    uint8_t a = 0, b = 0;
    for (std::size_t i = 0; i < size; ++i) {
        a = static_cast<uint8_t>(a + data[i]);
        b = static_cast<uint8_t>(b + a);
    }
    return static_cast<uint16_t>(b << 8 | a);
}

uint16_t SbfCrc(const uint8_t *data, std::size_t size)
{
    uint16_t crc = 0;
    for (std::size_t i = 0; i < size; ++i) {
        crc = static_cast<uint16_t>(crc ^ data[i] << 8);
        for (int k = 0; k < 8; ++k)
            crc = static_cast<uint16_t>(crc & 0x8000 ? crc << 1 ^ 0x1021 : crc << 1);
    }
    return crc;
}

namespace {

std::array<uint32_t, 256> NovatelTable()
{
    std::array<uint32_t, 256> table{};
    for (uint32_t i = 0; i < 256; ++i) {
        uint32_t crc = i;
        for (int k = 0; k < 8; ++k)
            crc = crc & 1 ? crc >> 1 ^ 0xEDB88320u : crc >> 1;
        table[i] = crc;
    }
    return table;
}

} // namespace

uint32_t NovatelCrc(const uint8_t *data, std::size_t size)
{
    static const std::array<uint32_t, 256> table = NovatelTable();
    uint32_t crc = 0;
    for (std::size_t i = 0; i < size; ++i)
        crc = (crc >> 8) ^ table[(crc ^ data[i]) & 0xFF];
    return crc;
}
