#pragma once

#include <array>
#include <cstdint>
#include <string>

// One SBAS L1 message as a receiver hands it over: the GEO's PRN, the GPS time at which the
// message began, and its 250 bits, most significant first, bit 1 being the first bit of the
// preamble; the six bits after bit 250 are zero.
struct SbasMessage {
    int prn = 0;
    int week = 0;
    double tow = 0; // s
    std::array<uint8_t, 32> bits{};

    int Type() const; // bits 9-14
    // The 64 upper-case hexadecimal digits of the message-log record.
    std::string Hex() const;
    bool ParityHolds() const;
};

// Bits 1-226 (preamble, type and data) from `bytes`, most significant first; bits 227-250 are
// rebuilt as the CRC-24Q of bits 1-226, as receivers that report only frames whose parity
// checks leave them out.
SbasMessage FromDataBits(int prn, int week, double tow, const uint8_t *bytes);

// Whole seconds `seconds` earlier, carried into the previous week below zero.
void StepBack(int &week, double &tow, double seconds);

// The hexadecimal digits as bytes, most significant first; false when a character is not a
// digit or there are more digits than `out` holds. Upper and lower case are read alike.
bool ParseHexDigits(const std::string &digits, uint8_t *out, std::size_t outSize);
