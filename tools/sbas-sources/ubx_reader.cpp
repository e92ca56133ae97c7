#include "ubx_reader.h"

#include "byte_order.h"
#include "checksums.h"

#include <cmath>

namespace {

constexpr std::size_t kHeader = 6;    // sync, class, id, length
constexpr std::size_t kMaxPayload = 8176; // UBX-RXM-RAWX with 255 measurements, the longest read here
constexpr double kSecondsPerWeek = 604800;

// UBX-RXM-SFRBX payload (u-blox receiver description, "UBX-RXM-SFRBX"): gnssId U1 at 0, svId
// U1 at 1, sigId (or reserved) U1 at 2, freqId U1 at 3, numWords U1 at 4, chn U1 at 5, version
// U1 at 6, reserved U1 at 7, then numWords data words U4 from 8.
constexpr int kGnssSbas = 1;
// For SBAS L1C/A the description's broadcast navigation data section says that eight 32-bit
// words deliver the 250 bits of a message; its figure of their arrangement is not available
// as text here. The words are read as the other signals' words are described: the first bit
// received is the most significant bit of the first word, the bits run on through the eight
// words, and the six bits after bit 250 are padding and set to zero.
constexpr int kSbasWords = 8;

// UBX-NAV-TIMEGPS payload (16 bytes): iTOW U4 ms at 0, fTOW I4 ns at 4, week I2 at 8, leapS I1
// at 10, valid X1 at 11 (bit 0 time of week valid, bit 1 week valid), tAcc U4 at 12.
constexpr std::size_t kTimeGpsSize = 16;

// UBX-RXM-RAWX payload: rcvTow R8 s at 0, week U2 at 8, leapS I1 at 10, numMeas U1 at 11, recStat
// X1 at 12, version U1 at 13, two reserved bytes, then 32 bytes per measurement.
constexpr std::size_t kRawxHead = 16;
constexpr std::size_t kRawxPerMeasurement = 32;

// The epoch's whole second, allowing half a millisecond for the receiver's clock.
double WholeSecond(double tow)
{
    return std::floor(tow + 0.0005);
}

} // namespace

std::size_t UbxReader::LongestFrame() const
{
    return kHeader + kMaxPayload + 2;
}

FrameReader::Scan UbxReader::Examine(const uint8_t *p, std::size_t available, std::vector<SbasMessage> &out)
{
    if (available < 2)
        return NeedMore();
    if (p[1] != 0x62)
        return Skip();
    if (available < kHeader)
        return NeedMore();
    const std::size_t length = U2(p + 4);
    if (length > kMaxPayload)
        return Skip();
    const std::size_t total = kHeader + length + 2;
    if (available < total)
        return NeedMore();
    if (UbxChecksum(p + 2, 4 + length) != U2(p + kHeader + length)) {
        ++counts_.checksumFailures;
        return Skip();
    }
    const uint8_t cls = p[2], id = p[3];
    const uint8_t *payload = p + kHeader;
    if (cls == 0x02 && id == 0x13)
        ReadSubframe(payload, length, out);
    else if (cls == 0x01 && id == 0x20)
        ReadTimeGps(payload, length);
    else if (cls == 0x02 && id == 0x15)
        ReadRawx(payload, length);
    else
        ++counts_.otherFrames;
    return Take(total);
}

void UbxReader::ReadSubframe(const uint8_t *payload, std::size_t size, std::vector<SbasMessage> &out)
{
    if (size < 8 || size != 8 + 4 * std::size_t{payload[4]}) {
        ++counts_.badFrames;
        return;
    }
    if (payload[0] != kGnssSbas) {
        ++counts_.otherFrames;
        return;
    }
    if (payload[4] < kSbasWords) {
        ++counts_.badFrames;
        return;
    }
    if (!timed_) {
        ++counts_.untimed;
        return;
    }
    SbasMessage m;
    m.prn = payload[1];
    m.week = epochWeek_;
    m.tow = epochSecond_;
    StepBack(m.week, m.tow, 1);
    for (int w = 0; w < kSbasWords; ++w)
        PutWordBigEndian(U4(payload + 8 + 4 * w), m.bits.data() + 4 * w);
    m.bits[31] &= 0xC0; // padding after bit 250
    out.push_back(m);
}

void UbxReader::ReadTimeGps(const uint8_t *payload, std::size_t size)
{
    if (size != kTimeGpsSize) {
        ++counts_.badFrames;
        return;
    }
    if ((payload[11] & 0x03) != 0x03)
        return; // time of week or week not yet valid: no epoch
    const double tow = U4(payload) / 1000.0 + I4(payload + 4) * 1e-9;
    const int week = static_cast<int16_t>(U2(payload + 8));
    if (week < 0 || tow < 0 || tow >= kSecondsPerWeek + 1) {
        ++counts_.badFrames;
        return;
    }
    timed_ = true;
    epochWeek_ = week;
    epochSecond_ = WholeSecond(tow);
}

void UbxReader::ReadRawx(const uint8_t *payload, std::size_t size)
{
    if (size < kRawxHead || size != kRawxHead + kRawxPerMeasurement * payload[11]) {
        ++counts_.badFrames;
        return;
    }
    const double tow = R8(payload);
    if (!std::isfinite(tow) || tow < 0 || tow >= kSecondsPerWeek + 1) {
        ++counts_.badFrames;
        return;
    }
    timed_ = true;
    epochWeek_ = U2(payload + 8);
    epochSecond_ = WholeSecond(tow);
}
