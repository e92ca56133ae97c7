#include "text_reader.h"

#include "mops/gpstime.h"
#include "output/log_record.h"

#include <cmath>
#include <cstdlib>
#include <sstream>
#include <vector>

namespace {

constexpr std::size_t kMaxLine = 256;

bool IsBlank(const std::string &line)
{
    return line.find_first_not_of(" \t\r") == std::string::npos;
}

std::optional<SbasMessage> FromRecord(const std::string &line)
{
    const auto record = ParseLogRecord(line);
    if (!record)
        return std::nullopt;
    const GpsWeekTime t = DateTimeToGPSTime(record->time);
    SbasMessage m;
    m.prn = record->prn;
    m.week = t.week;
    m.tow = std::round(t.seconds);
    if (!ParseHexDigits(record->hex, m.bits.data(), m.bits.size()))
        return std::nullopt;
    m.bits[31] &= 0xC0;
    return m;
}

bool WholeNumber(const std::string &s, long low, long high, long &value)
{
    if (s.empty() || s.size() > 9 || s.find_first_not_of("0123456789") != std::string::npos)
        return false;
    value = std::strtol(s.c_str(), nullptr, 10);
    return value >= low && value <= high;
}

std::optional<SbasMessage> FromToolLine(const std::string &line)
{
    std::istringstream in(line);
    std::vector<std::string> f;
    for (std::string word; in >> word;)
        f.push_back(word);
    long week = 0, prn = 0, type = 0;
    if (f.size() != 6 || f[4] != ":" || !WholeNumber(f[0], 0, 65535, week) || !WholeNumber(f[2], 120, 158, prn) ||
        !WholeNumber(f[3], 0, 63, type))
        return std::nullopt;
    if (f[1].empty() || f[1].size() > 16 || f[1].find_first_not_of("0123456789.") != std::string::npos)
        return std::nullopt;
    char *end = nullptr;
    const double tow = std::strtod(f[1].c_str(), &end);
    if (*end != '\0' || !(tow >= 0 && tow < 604800))
        return std::nullopt;
    const std::string &hex = f[5];
    SbasMessage m;
    if (hex.size() == 58) {
        uint8_t data[29];
        if (!ParseHexDigits(hex, data, sizeof data))
            return std::nullopt;
        m = FromDataBits(static_cast<int>(prn), static_cast<int>(week), tow, data);
    } else if (hex.size() == 63 || hex.size() == 64) {
        if (!ParseHexDigits(hex, m.bits.data(), m.bits.size()))
            return std::nullopt;
        m.bits[31] &= 0xC0;
        m.prn = static_cast<int>(prn);
        m.week = static_cast<int>(week);
        m.tow = tow;
    } else {
        return std::nullopt;
    }
    return m;
}

} // namespace

std::optional<SbasMessage> TextReader::ReadLine(const std::string &line)
{
    if (auto m = FromRecord(line))
        return m;
    return FromToolLine(line);
}

std::size_t TextReader::LongestFrame() const
{
    return kMaxLine + 1;
}

FrameReader::Scan TextReader::Examine(const uint8_t *p, std::size_t available, std::vector<SbasMessage> &out)
{
    std::size_t end = 0;
    while (end < available && p[end] != '\n' && end <= kMaxLine)
        ++end;
    const bool complete = end < available && p[end] == '\n';
    if (discarding_) {
        discarding_ = !complete;
        return Skip(complete ? end + 1 : end);
    }
    if (!complete) {
        if (end <= kMaxLine)
            return NeedMore();
        ++counts_.badFrames; // a line longer than any message line: skipped to its end
        discarding_ = true;
        return Skip(end);
    }
    const std::string line(reinterpret_cast<const char *>(p), end);
    if (auto m = ReadLine(line))
        out.push_back(*m);
    else if (!IsBlank(line))
        ++counts_.otherFrames;
    return Take(end + 1);
}
