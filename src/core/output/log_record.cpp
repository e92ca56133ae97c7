#include "output/log_record.h"

#include "mops/gpstime.h"
#include "text/number_text.h"

#include <cstdio>
#include <sstream>
#include <vector>

std::string FormatLogRecord(int prn, int type, double week, double seconds, const std::string &text)
{
    const CivilTime t = DecodeDateTime(GPSTimeToDateTime(week, seconds));
    char head[64];
    std::snprintf(head, sizeof head, "%d %02d %02d %02d %02d %02d %02d %d ", prn, t.year % 100, t.month, t.day,
                  t.hour, t.minute, t.second, type);
    return head + text.substr(0, 64) + "\r\n";
}

int LogRecordPrn(const std::string &geoPrnText)
{
    const auto value = ParseDouble(geoPrnText);
    if (!value || *value >= 2147483648.0 || *value <= -2147483649.0)
        return 0;
    return static_cast<int>(*value); // toward zero
}

std::string LoggedMessageText(const std::string &expanded)
{
    std::string text = expanded;
    if (text.size() >= 3)
        text.erase(text.size() - 3, 1);
    return text;
}

namespace {

bool AllDigits(const std::string &s)
{
    if (s.empty() || s.size() > 9)
        return false;
    for (const char c : s)
        if (c < '0' || c > '9')
            return false;
    return true;
}

bool IsHex(const std::string &s)
{
    for (const char c : s)
        if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F')))
            return false;
    return true;
}

} // namespace

std::optional<LogRecord> ParseLogRecord(const std::string &line)
{
    std::istringstream in(line);
    std::vector<std::string> f;
    for (std::string word; in >> word;)
        f.push_back(word);
    if (f.size() != 9 || f[8].size() != 64 || !IsHex(f[8]))
        return std::nullopt;
    for (int i = 0; i < 8; ++i)
        if (!AllDigits(f[i]))
            return std::nullopt;
    LogRecord r;
    r.prn = std::stoi(f[0]);
    const int yy = std::stoi(f[1]);
    r.time = {yy >= 80 ? 1900 + yy : 2000 + yy, std::stoi(f[2]), std::stoi(f[3]), std::stoi(f[4]), std::stoi(f[5]),
              std::stoi(f[6])};
    r.type = std::stoi(f[7]);
    r.hex = f[8];
    const CivilTime &t = r.time;
    if (yy > 99 || t.month < 1 || t.month > 12 || t.day < 1 || t.day > 31 || t.hour > 23 || t.minute > 59 ||
        t.second > 59 || r.type > 63)
        return std::nullopt;
    return r;
}
