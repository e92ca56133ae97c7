#pragma once

#include <cstddef>
#include <cstdint>

// The check values of the receivers' frames, each as its maker's interface description
// defines it.

// u-blox UBX: the 8-bit Fletcher checksum over class, id, length and payload (u-blox receiver
// description, "UBX checksum"): CK_A in the low byte, CK_B in the high byte.
uint16_t UbxChecksum(const uint8_t *data, std::size_t size);

// Septentrio SBF: CRC-16 with the CRC-CCITT polynomial x^16 + x^12 + x^5 + 1, seed 0, computed
// forward, no reflection, no final XOR, over the block from its ID field to its last byte
// (SBF reference guide, "SBF Block Header Format").
uint16_t SbfCrc(const uint8_t *data, std::size_t size);

// NovAtel OEM: the 32-bit CRC of the reference manual's CalculateBlockCRC32, reflected
// polynomial 0xEDB88320, initial value 0, no final XOR (OEM7 commands and logs reference,
// "32-Bit CRC"), over a binary log from its first sync byte to the end of its body, or over the
// characters of an ASCII log between '#' and '*'.
uint32_t NovatelCrc(const uint8_t *data, std::size_t size);
