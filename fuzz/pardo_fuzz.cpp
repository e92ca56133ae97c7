// The PARDO code on arbitrary text: expansion either succeeds or throws PardoError, the
// bounded expansion agrees with the full one, and hexadecimal texts survive a round trip.
#include "codec/pardo.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

void Check(bool ok)
{
    if (!ok)
        std::abort();
}

constexpr std::size_t kLimit = 1024;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size)
{
    const std::string input(reinterpret_cast<const char *>(data), size);

    // Arbitrary text: every run token costs at most 255 characters, so the result stays bounded.
    TPARDO full;
    full.Data = input;
    bool expanded = true;
    try {
        full.Decompress();
        Check(full.Data.size() <= 255 * input.size() + 1);
    } catch (const PardoError &) {
        expanded = false;
        Check(full.Data == input); // unchanged on failure
    }
    TPARDO bounded;
    bounded.Data = input;
    try {
        bounded.Decompress(kLimit);
        Check(expanded);
        if (full.Data.size() <= kLimit)
            Check(bounded.Data == full.Data);
        else
            Check(bounded.Data.size() > kLimit);
    } catch (const PardoError &) {
        Check(!expanded);
    }

    // Round trip: the input read as hexadecimal digits (runs come from repeated bytes).
    std::string hex;
    for (std::size_t k = 0; k < size; ++k)
        hex += "0123456789ABCDEF"[data[k] % 16];
    TPARDO p;
    p.Data = hex;
    p.Compress();
    Check(p.Data.size() <= hex.size());
    p.Decompress();
    Check(p.Data == hex);
    return 0;
}
