// GPS time and the message-log record on extreme values: any week, second, PRN text and
// civil time, and arbitrary record lines. Records made from sane values parse back.
#include "mops/gpstime.h"
#include "output/log_record.h"
#include "time/date_time.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

void Check(bool ok)
{
    if (!ok)
        std::abort();
}

// Reads a value of type T from the front of the input, zeros past its end.
template <typename T>
T Take(const uint8_t *&data, std::size_t &size)
{
    T value{};
    const std::size_t n = std::min(sizeof value, size);
    std::memcpy(&value, data, n);
    data += n;
    size -= n;
    return value;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size)
{
    const std::string whole(reinterpret_cast<const char *>(data), size);
    ParseLogRecord(whole);
    LoggedMessageText(whole);
    LogRecordPrn(whole);

    const auto week = Take<double>(data, size);
    const auto seconds = Take<double>(data, size);
    const auto prn = Take<int32_t>(data, size);
    const auto type = Take<int32_t>(data, size);
    CivilTime t;
    t.year = Take<int32_t>(data, size);
    t.month = Take<int32_t>(data, size);
    t.day = Take<int32_t>(data, size);
    t.hour = Take<int32_t>(data, size);
    t.minute = Take<int32_t>(data, size);
    t.second = Take<int32_t>(data, size);
    t.millisecond = Take<int32_t>(data, size);
    const std::string hex(reinterpret_cast<const char *>(data), size);

    DecodeDateTime(GPSTimeToDateTime(week, seconds));
    DateTimeToGPSTime(t);
    EncodeDateTime(t);
    const std::string record = FormatLogRecord(prn, type, week, seconds, hex);
    Check(record.size() >= 2 && record.compare(record.size() - 2, 2, "\r\n") == 0);

    // A record of a time the application can meet, a PRN and type in range, 64 hex digits.
    if (std::isfinite(week) && std::isfinite(seconds)) {
        const int saneWeek = static_cast<int>(std::fabs(std::fmod(week, 5000.0)));
        const double saneSeconds = std::floor(std::fabs(std::fmod(seconds, 604800.0)));
        std::string digits;
        for (unsigned char c : hex)
            digits += "0123456789ABCDEF"[c % 16];
        digits.resize(64, '0');
        const int p = static_cast<int>(static_cast<uint32_t>(prn) % 1000);
        const int ty = static_cast<int>(static_cast<uint32_t>(type) % 64);
        const auto back = ParseLogRecord(FormatLogRecord(p, ty, saneWeek, saneSeconds, digits));
        const CivilTime when = DecodeDateTime(GPSTimeToDateTime(saneWeek, saneSeconds));
        if (when.year >= 1980 && when.year <= 2079) {
            Check(back.has_value());
            Check(back->prn == p && back->type == ty && back->hex == digits);
            Check(back->time.year == when.year && back->time.month == when.month && back->time.day == when.day);
            Check(back->time.hour == when.hour && back->time.minute == when.minute &&
                  back->time.second == when.second);
            const GpsWeekTime g = DateTimeToGPSTime(when);
            Check(g.week == saneWeek && std::fabs(g.seconds - saneSeconds) < 1e-3);
        }
    }
    return 0;
}
