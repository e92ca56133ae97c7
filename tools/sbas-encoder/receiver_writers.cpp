#include "receiver_writers.h"

#include "checksums.h"
#include "output/log_record.h"
#include "sbf_reader.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace receiver {

namespace {

void Put1(std::string &out, uint32_t v)
{
    out += static_cast<char>(v & 0xFF);
}
void Put2(std::string &out, uint32_t v)
{
    Put1(out, v);
    Put1(out, v >> 8);
}
void Put4(std::string &out, uint32_t v)
{
    Put2(out, v & 0xFFFF);
    Put2(out, v >> 16);
}
void Put8(std::string &out, double d)
{
    uint64_t u;
    std::memcpy(&u, &d, sizeof u);
    Put4(out, static_cast<uint32_t>(u));
    Put4(out, static_cast<uint32_t>(u >> 32));
}

const uint8_t *Bytes(const std::string &s)
{
    return reinterpret_cast<const uint8_t *>(s.data());
}

// The eight 32-bit words of the 250 bits, first bit most significant.
void PutWords(std::string &out, const SbasMessage &m)
{
    for (int w = 0; w < 8; ++w) {
        const uint8_t *b = m.bits.data() + 4 * w;
        Put4(out, static_cast<uint32_t>(b[0]) << 24 | static_cast<uint32_t>(b[1]) << 16 |
                      static_cast<uint32_t>(b[2]) << 8 | b[3]);
    }
}

std::string HexOf(const uint8_t *p, std::size_t n, bool upper)
{
    std::string s;
    char two[3];
    for (std::size_t i = 0; i < n; ++i) {
        std::snprintf(two, sizeof two, upper ? "%02X" : "%02x", p[i]);
        s += two;
    }
    return s;
}

// Bits 1-226 and six zero bits: the 29 data bytes of the short forms.
std::string DataBytes(const SbasMessage &m)
{
    std::string d(reinterpret_cast<const char *>(m.bits.data()), 29);
    d[28] = static_cast<char>(d[28] & 0xC0);
    return d;
}

} // namespace

std::string UbxFrame(uint8_t cls, uint8_t id, const std::string &payload)
{
    std::string f = "\xB5\x62";
    Put1(f, cls);
    Put1(f, id);
    Put2(f, static_cast<uint32_t>(payload.size()));
    f += payload;
    Put2(f, UbxChecksum(Bytes(f) + 2, f.size() - 2));
    return f;
}

std::string UbxSubframe(const SbasMessage &m)
{
    std::string p;
    Put1(p, 1); // gnssId SBAS
    Put1(p, static_cast<uint32_t>(m.prn));
    Put1(p, 0); // sigId L1C/A
    Put1(p, 0); // freqId
    Put1(p, 8); // numWords
    Put1(p, 5); // chn
    Put1(p, 2); // version
    Put1(p, 0);
    PutWords(p, m);
    return UbxFrame(0x02, 0x13, p);
}

std::string UbxTimeGps(int week, double tow)
{
    std::string p;
    const auto ms = static_cast<uint32_t>(std::llround(tow * 1000));
    Put4(p, ms);
    Put4(p, 0); // fTOW
    Put2(p, static_cast<uint32_t>(week));
    Put1(p, 18);   // leapS
    Put1(p, 0x07); // time of week, week and leap seconds valid
    Put4(p, 20);   // tAcc ns
    return UbxFrame(0x01, 0x20, p);
}

namespace {

std::string UbxRawx(int week, double tow)
{
    std::string p;
    Put8(p, tow);
    Put2(p, static_cast<uint32_t>(week));
    Put1(p, 18); // leapS
    Put1(p, 0);  // numMeas
    Put1(p, 1);  // recStat: leap seconds known
    Put1(p, 1);  // version
    Put2(p, 0);
    return UbxFrame(0x02, 0x15, p);
}

} // namespace

std::string Ubx(const std::vector<SbasMessage> &messages, UbxClock clock)
{
    std::string out;
    bool first = true;
    int lastWeek = 0;
    double lastTow = 0;
    for (const SbasMessage &m : messages) {
        if (first || m.week != lastWeek || m.tow != lastTow) {
            int week = m.week;
            double tow = m.tow + 1;
            if (tow >= 604800) {
                tow -= 604800;
                ++week;
            }
            out += clock == UbxClock::TimeGps ? UbxTimeGps(week, tow) : UbxRawx(week, tow);
            first = false;
            lastWeek = m.week;
            lastTow = m.tow;
        }
        out += UbxSubframe(m);
    }
    return out;
}

std::string SbfBlock(int number, const std::string &body)
{
    std::string rest;
    Put2(rest, static_cast<uint32_t>(number)); // revision 0
    std::string padded = body;
    while ((padded.size() + 8) % 4 != 0)
        padded += '\0';
    Put2(rest, static_cast<uint32_t>(padded.size() + 8));
    rest += padded;
    std::string block = "$@";
    Put2(block, SbfCrc(Bytes(rest), rest.size()));
    return block + rest;
}

std::string Sbf(const std::vector<SbasMessage> &messages)
{
    std::string out;
    for (const SbasMessage &m : messages) {
        std::string b;
        Put4(b, static_cast<uint32_t>(std::llround(m.tow * 1000)));
        Put2(b, static_cast<uint32_t>(m.week));
        Put1(b, static_cast<uint32_t>(SbfSvidOfPrn(m.prn)));
        Put1(b, m.ParityHolds() ? 1 : 0);
        Put1(b, 0);  // ViterbiCnt
        Put1(b, 24); // Source: a signal type the reader does not read
        Put1(b, 0);  // FreqNr
        Put1(b, 3);  // RxChannel
        PutWords(b, m);
        out += SbfBlock(4020, b);
    }
    return out;
}

std::string NovatelLog(int id, int week, double tow, const std::string &body)
{
    std::string log = "\xAA\x44\x12";
    Put1(log, 28);
    Put2(log, static_cast<uint32_t>(id));
    Put1(log, 0);    // message type: binary, original
    Put1(log, 0x20); // port COM1
    Put2(log, static_cast<uint32_t>(body.size()));
    Put2(log, 0);   // sequence
    Put1(log, 150); // idle time
    Put1(log, 200); // time status SATTIME
    Put2(log, static_cast<uint32_t>(week));
    Put4(log, static_cast<uint32_t>(std::llround(tow * 1000)));
    Put4(log, 0);      // receiver status
    Put2(log, 0x58e4); // reserved
    Put2(log, 16809);  // software version
    log += body;
    Put4(log, NovatelCrc(Bytes(log), log.size()));
    return log;
}

// Each message the receiver would have logged: one whose parity holds. `left` counts the others.
template <typename Write>
std::string EachGoodMessage(const std::vector<SbasMessage> &messages, int *left, Write write)
{
    std::string out;
    int skipped = 0;
    for (const SbasMessage &m : messages) {
        if (m.ParityHolds())
            out += write(m);
        else
            ++skipped;
    }
    if (left)
        *left = skipped;
    return out;
}

std::string NovatelBinary(const std::vector<SbasMessage> &messages, int *left)
{
    return EachGoodMessage(messages, left, [](const SbasMessage &m) {
        std::string body;
        Put4(body, 62); // signal channel
        Put4(body, static_cast<uint32_t>(m.prn));
        Put4(body, static_cast<uint32_t>(m.Type()));
        body += DataBytes(m);
        body += std::string(3, '\0'); // to the CRC at H+44
        return NovatelLog(287, m.week, m.tow, body);
    });
}

std::string NovatelAscii(const std::vector<SbasMessage> &messages, int *left)
{
    return EachGoodMessage(messages, left, [](const SbasMessage &m) {
        char head[160];
        std::snprintf(head, sizeof head, "RAWWAASFRAMEA,COM1,0,77.5,SATTIME,%d,%.3f,00000000,58e4,16809;62,%d,%d,",
                      m.week, m.tow, m.prn, m.Type());
        const std::string data = DataBytes(m);
        const std::string log = head + HexOf(Bytes(data), data.size(), false);
        char crc[9];
        std::snprintf(crc, sizeof crc, "%08x", NovatelCrc(Bytes(log), log.size()));
        return "#" + log + "*" + crc + "\r\n";
    });
}

std::string ToolLines(const std::vector<SbasMessage> &messages, bool shortForm, int *left)
{
    std::string out;
    int skipped = 0;
    for (const SbasMessage &m : messages) {
        if (shortForm && !m.ParityHolds()) {
            ++skipped;
            continue;
        }
        char head[64];
        const bool whole = m.tow == std::floor(m.tow);
        std::snprintf(head, sizeof head, whole ? "%4d %6.0f %3d %2d : " : "%4d %10.3f %3d %2d : ", m.week, m.tow, m.prn,
                      m.Type());
        const std::string data = DataBytes(m);
        out += head + (shortForm ? HexOf(Bytes(data), data.size(), true) : m.Hex()) + "\n";
    }
    if (left)
        *left = skipped;
    return out;
}

std::string LogRecords(const std::vector<SbasMessage> &messages)
{
    std::string out;
    for (const SbasMessage &m : messages) {
        std::string r = FormatLogRecord(m.prn, m.Type(), m.week, m.tow, m.Hex());
        r.resize(r.size() - 2);
        out += r + "\n";
    }
    return out;
}

} // namespace receiver
