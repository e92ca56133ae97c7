#pragma once

#include <cstdint>
#include <string>

// CRC-24Q of the first `bits` bits of a big-endian bit string.
uint32_t Crc24Q(const uint8_t *data, int bits);

// Whether the CRC-24Q of bits 1-226 of a message text equals its bits 227-250. A text with fewer
// than 63 hexadecimal digits, or with a digit that is not one, fails.
bool ParityHolds(const std::string &text);

// The same for a message in bytes: an upper-case text is checked on its bytes, any other on its
// digits (where lower case counts).
class TMOPSMsg;
bool ParityHolds(const TMOPSMsg &message);
