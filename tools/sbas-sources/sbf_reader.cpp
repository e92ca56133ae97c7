#include "sbf_reader.h"

#include "byte_order.h"
#include "checksums.h"

namespace {

constexpr std::size_t kHeader = 8;
// Blocks up to this length are checked; a longer Length field is taken for a false header.
// GEORawL1 has 52 bytes; the receivers' longest blocks (measurement epochs) stay below it.
constexpr std::size_t kMaxBlock = 8192;

// GEORawL1 (SBF reference guide, block 4020): TOW u4 ms at 8 (4294967295: do not use), WNc u2 at
// 12 (65535: do not use), SVID u1 at 14, CRCPassed u1 at 15, ViterbiCnt u1 at 16, Source u1 at
// 17, FreqNr u1 at 18, RxChannel u1 at 19, NAVBits u4[8] at 20: the 250 bits with the first
// received bit in the most significant bit of NAVBits[0]; the unused bits of NAVBits[7] are
// ignored. Padding may follow.
constexpr int kGeoRawL1 = 4020;
constexpr std::size_t kGeoRawL1Length = 52;

} // namespace

int SbfSvidOfPrn(int prn)
{
    if (prn >= 120 && prn <= 140)
        return prn;
    if (prn >= 141 && prn <= 158)
        return prn + 57;
    return 0;
}

int SbfPrnOfSvid(int svid)
{
    if (svid >= 120 && svid <= 140)
        return svid;
    if (svid >= 198 && svid <= 215)
        return svid - 57;
    return 0;
}

std::size_t SbfReader::LongestFrame() const
{
    return kMaxBlock;
}

FrameReader::Scan SbfReader::Examine(const uint8_t *p, std::size_t available, std::vector<SbasMessage> &out)
{
    if (available < 2)
        return NeedMore();
    if (p[1] != '@')
        return Skip();
    if (available < kHeader)
        return NeedMore();
    const std::size_t length = U2(p + 6);
    if (length < kHeader || length % 4 != 0 || length > kMaxBlock)
        return Skip();
    if (available < length)
        return NeedMore();
    if (SbfCrc(p + 4, length - 4) != U2(p + 2)) {
        ++counts_.checksumFailures;
        return Skip();
    }
    if ((U2(p + 4) & 0x1FFF) == kGeoRawL1)
        ReadGeoRawL1(p, length, out);
    else
        ++counts_.otherFrames;
    return Take(length);
}

void SbfReader::ReadGeoRawL1(const uint8_t *block, std::size_t length, std::vector<SbasMessage> &out)
{
    const uint32_t towMs = U4(block + 8);
    const uint16_t week = U2(block + 12);
    const int prn = SbfPrnOfSvid(block[14]);
    if (length < kGeoRawL1Length || towMs == 0xFFFFFFFFu || week == 0xFFFF || towMs >= 604800000u || prn == 0) {
        ++counts_.badFrames;
        return;
    }
    // The receiver's CRCPassed flag is not consulted: a message whose parity failed is served
    // as received, as the message log keeps it.
    SbasMessage m;
    m.prn = prn;
    m.week = week;
    m.tow = towMs / 1000.0;
    for (int w = 0; w < 8; ++w)
        PutWordBigEndian(U4(block + 20 + 4 * w), m.bits.data() + 4 * w);
    m.bits[31] &= 0xC0;
    out.push_back(m);
}
