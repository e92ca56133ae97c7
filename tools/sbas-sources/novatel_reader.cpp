#include "novatel_reader.h"

#include "byte_order.h"
#include "checksums.h"

#include <cmath>
#include <cstdlib>
#include <vector>

namespace {

// Binary header (OEM7 reference, "Binary", table "Binary Message Header Structure"): sync 0xAA
// 0x44 0x12 at 0-2, header length UChar at 3, message ID UShort at 4, message type Char at 6,
// port address UChar at 7, message length UShort at 8 (the body, without header and CRC),
// sequence UShort at 10, idle time UChar at 12, time status Enum (one byte) at 13, week UShort
// at 14, milliseconds GPSec (ULong) at 16, receiver status ULong at 20, reserved UShort at 24,
// receiver software version UShort at 26. The body follows the header, then the CRC (ULong).
constexpr std::size_t kMinHeader = 28;
constexpr std::size_t kMaxLog = 8192; // longer logs are taken for false headers
constexpr int kRawWaasFrame = 287;
// The time status UNKNOWN: the header's week and seconds are not a time yet.
constexpr int kTimeUnknown = 20;

// RAWWAASFRAME body (OEM7 reference, "RAWWAASFRAME"): signal channel Ulong at H, PRN Ulong at
// H+4, WAAS message ID Ulong at H+8, data Hex[29] at H+12 (226 bits and 6 bits of padding), the
// binary log padded to H+44 where the CRC stands.
constexpr std::size_t kBodyData = 12;
constexpr std::size_t kDataBytes = 29;

constexpr std::size_t kMaxAsciiLog = 1024;

bool IsPrn(long prn)
{
    return prn >= 120 && prn <= 158;
}

std::vector<std::string> Split(const std::string &text, char separator)
{
    std::vector<std::string> fields;
    std::size_t begin = 0;
    for (;;) {
        const std::size_t end = text.find(separator, begin);
        fields.push_back(text.substr(begin, end == std::string::npos ? std::string::npos : end - begin));
        if (end == std::string::npos)
            return fields;
        begin = end + 1;
    }
}

bool ToLong(const std::string &s, long &value)
{
    if (s.empty() || s.size() > 12)
        return false;
    char *end = nullptr;
    value = std::strtol(s.c_str(), &end, 10);
    return *end == '\0';
}

bool ToDouble(const std::string &s, double &value)
{
    if (s.empty() || s.size() > 20)
        return false;
    char *end = nullptr;
    value = std::strtod(s.c_str(), &end);
    return *end == '\0' && std::isfinite(value);
}

} // namespace

std::size_t NovatelReader::LongestFrame() const
{
    return kMaxLog;
}

FrameReader::Scan NovatelReader::Examine(const uint8_t *p, std::size_t available, std::vector<SbasMessage> &out)
{
    return p[0] == '#' ? ExamineAscii(p, available, out) : ExamineBinary(p, available, out);
}

FrameReader::Scan NovatelReader::ExamineBinary(const uint8_t *p, std::size_t available, std::vector<SbasMessage> &out)
{
    if (available < 3)
        return NeedMore();
    if (p[1] != 0x44 || p[2] != 0x12)
        return Skip(); // also the short header (0xAA 0x44 0x13), which no SBAS log uses
    if (available < kMinHeader)
        return NeedMore();
    const std::size_t header = p[3];
    const std::size_t body = U2(p + 8);
    const std::size_t total = header + body + 4;
    if (header < kMinHeader || total > kMaxLog)
        return Skip();
    if (available < total)
        return NeedMore();
    if (NovatelCrc(p, header + body) != U4(p + header + body)) {
        ++counts_.checksumFailures;
        return Skip();
    }
    if (U2(p + 4) != kRawWaasFrame) {
        ++counts_.otherFrames;
        return Take(total);
    }
    const uint8_t *b = p + header;
    if (body < kBodyData + kDataBytes || !IsPrn(U4(b + 4)) || U4(p + 16) >= 604800000u) {
        ++counts_.badFrames;
        return Take(total);
    }
    if (p[13] == kTimeUnknown) {
        ++counts_.untimed;
        return Take(total);
    }
    out.push_back(FromDataBits(static_cast<int>(U4(b + 4)), U2(p + 14), U4(p + 16) / 1000.0, b + kBodyData));
    return Take(total);
}

// ASCII log: "#" name "," port "," sequence "," idle "," time status "," week "," seconds ","
// receiver status "," reserved "," software version ";" body fields "*" eight hexadecimal
// digits of the CRC, then CR LF (OEM7 reference, "ASCII").
FrameReader::Scan NovatelReader::ExamineAscii(const uint8_t *p, std::size_t available, std::vector<SbasMessage> &out)
{
    // An ASCII log is printable text up to its CR LF: any other byte shows a '#' that begins
    // none, without waiting for a line end that may be far off in binary data.
    std::size_t end = 0;
    while (end < available && end < kMaxAsciiLog && p[end] != '\n') {
        if ((p[end] < 0x20 || p[end] > 0x7E) && p[end] != '\r')
            return Skip();
        ++end;
    }
    if (end == available && available < kMaxAsciiLog)
        return NeedMore();
    if (end == kMaxAsciiLog)
        return Skip();
    std::string line(reinterpret_cast<const char *>(p), end);
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    const std::size_t star = line.rfind('*');
    if (star == std::string::npos || line.size() != star + 9) {
        ++counts_.badFrames;
        return Skip();
    }
    char *crcEnd = nullptr;
    const std::string crcText = line.substr(star + 1);
    const unsigned long crc = std::strtoul(crcText.c_str(), &crcEnd, 16);
    if (*crcEnd != '\0' || crcText[0] == '-' || crcText[0] == '+' ||
        NovatelCrc(reinterpret_cast<const uint8_t *>(line.data()) + 1, star - 1) != crc) {
        ++counts_.checksumFailures;
        return Skip();
    }
    ReadAsciiLog(line.substr(1, star - 1), out);
    return Take(end + 1);
}

void NovatelReader::ReadAsciiLog(const std::string &log, std::vector<SbasMessage> &out)
{
    const std::size_t semicolon = log.find(';');
    if (semicolon == std::string::npos) {
        ++counts_.badFrames;
        return;
    }
    const std::vector<std::string> head = Split(log.substr(0, semicolon), ',');
    if (head[0] != "RAWWAASFRAMEA") {
        ++counts_.otherFrames;
        return;
    }
    const std::vector<std::string> body = Split(log.substr(semicolon + 1), ',');
    long week = 0, channel = 0, prn = 0, id = 0;
    double seconds = 0;
    uint8_t data[kDataBytes];
    if (head.size() != 10 || body.size() != 4 || !ToLong(head[5], week) || week < 0 || week > 65535 ||
        !ToDouble(head[6], seconds) || seconds < 0 || seconds >= 604800 || !ToLong(body[0], channel) ||
        !ToLong(body[1], prn) || !IsPrn(prn) || !ToLong(body[2], id) || body[3].size() != 2 * kDataBytes ||
        !ParseHexDigits(body[3], data, kDataBytes)) {
        ++counts_.badFrames;
        return;
    }
    if (head[4] == "UNKNOWN") {
        ++counts_.untimed;
        return;
    }
    out.push_back(FromDataBits(static_cast<int>(prn), static_cast<int>(week), seconds, data));
}
