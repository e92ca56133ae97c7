// One receiver reader of the replay server on arbitrary bytes, cut where the input's first byte
// says, as a serial line or a TCP stream may cut them; then the end of the input. Built once per
// format: READER_FORMAT names it ("ubx", "sbf", "novatel", "text").
#include "frame_reader.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::size_t piece = 1 + data[0] % 64;
    static const SourceFormat format = *SourceFormatNamed(READER_FORMAT);
    auto reader = MakeReader(format);
    std::vector<SbasMessage> out;
    for (std::size_t at = 1; at < size; at += piece) {
        const std::size_t n = size - at < piece ? size - at : piece;
        reader->Feed(data + at, n, out);
    }
    reader->Finish(out);
    for (const SbasMessage &m : out)
        if ((m.bits[31] & 0x3F) != 0 || m.Hex().size() != 64)
            std::abort(); // the padding after bit 250 is always zero
    return 0;
}
