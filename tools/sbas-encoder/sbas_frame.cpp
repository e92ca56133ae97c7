#include "sbas_frame.h"

#include <cmath>

SbasFrame::SbasFrame(int type)
{
    SetType(type);
}

void SbasFrame::Set(int start, int width, int64_t raw)
{
    for (int i = 0; i < width; ++i) {
        const int bit = start + i - 1; // 0-based position
        // Bits above the 64 of the value repeat its sign, as a wider two's complement would.
        const int shift = width - 1 - i;
        const bool on = shift < 64 ? (static_cast<uint64_t>(raw) >> shift) & 1 : raw < 0;
        const uint8_t mask = static_cast<uint8_t>(0x80 >> (bit % 8));
        bytes_[bit / 8] = on ? (bytes_[bit / 8] | mask) : (bytes_[bit / 8] & ~mask);
    }
}

void SbasFrame::Put(const Field &f, double value)
{
    Set(f.start, f.width, std::llround(value / f.lsb));
}

int64_t SbasFrame::Get(int start, int width) const
{
    int64_t v = 0;
    for (int i = 0; i < width; ++i) {
        const int bit = start + i - 1;
        v = (v << 1) | ((bytes_[bit / 8] >> (7 - bit % 8)) & 1);
    }
    return v;
}

void SbasFrame::SetPreamble(int sequence)
{
    Set(1, 8, kPreambles[static_cast<std::size_t>(sequence) % kPreambles.size()]);
}

std::string SbasFrame::Hex(int sequence)
{
    SetPreamble(sequence);
    Set(227, 24, Crc24Q(bytes_.data(), 226));
    Set(251, 6, 0);
    static const char digits[] = "0123456789ABCDEF";
    std::string hex;
    for (const uint8_t b : bytes_) {
        hex += digits[b >> 4];
        hex += digits[b & 0xF];
    }
    return hex;
}
