#pragma once

#include "mops/crc24q.h"
#include "mops/field.h"

#include <array>
#include <cstdint>
#include <string>

// A 250-bit SBAS message under construction, bits numbered from 1 as the decoders read them.
class SbasFrame {
public:
    explicit SbasFrame(int type = 63);

    // Stores the low `width` bits of raw at bit `start` (two's complement for negative values).
    void Set(int start, int width, int64_t raw);
    // Stores a value in the field's units, rounded to the nearest unit.
    void Put(const Field &f, double value);
    int64_t Get(int start, int width) const;

    void SetType(int type) { Set(9, 6, type); }
    // Preamble byte of the n-th message of a stream: 0x53, 0x9A, 0xC6 in turn.
    void SetPreamble(int sequence);

    // Sets the CRC-24Q of bits 1-226 into bits 227-250 and returns the 64 hex digits
    // (the 250 bits then six zero bits).
    std::string Hex(int sequence = 0);

    static constexpr std::array<uint8_t, 3> kPreambles = {0x53, 0x9A, 0xC6};

private:
    std::array<uint8_t, 32> bytes_{};
};

