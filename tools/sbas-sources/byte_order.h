#pragma once

#include <cstdint>
#include <cstring>

// Every receiver format read here sends its multi-byte numbers least significant byte first.
inline uint16_t U2(const uint8_t *p)
{
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

inline uint32_t U4(const uint8_t *p)
{
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
           static_cast<uint32_t>(p[3]) << 24;
}

inline int32_t I4(const uint8_t *p)
{
    const uint32_t u = U4(p);
    int32_t v;
    std::memcpy(&v, &u, sizeof v);
    return v;
}

inline double R8(const uint8_t *p)
{
    const uint64_t u = static_cast<uint64_t>(U4(p)) | static_cast<uint64_t>(U4(p + 4)) << 32;
    double v;
    std::memcpy(&v, &u, sizeof v);
    return v;
}

// A 32-bit word whose most significant bit is the earliest received, stored big-endian in `out`.
inline void PutWordBigEndian(uint32_t word, uint8_t *out)
{
    out[0] = static_cast<uint8_t>(word >> 24);
    out[1] = static_cast<uint8_t>(word >> 16);
    out[2] = static_cast<uint8_t>(word >> 8);
    out[3] = static_cast<uint8_t>(word);
}
