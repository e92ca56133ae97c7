#include "mops/gpstime.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {
constexpr DateTime kGpsEpoch = 29226.0; // 6 January 1980 00:00
constexpr double kSecondsPerWeek = 604800.0;
}

DateTime GPSTimeToDateTime(double week, double seconds)
{
    const long double elapsed = static_cast<long double>(week) * kSecondsPerWeek + seconds;
    const long double days = kGpsEpoch + elapsed * (1.0L / 86400.0L);
    // Beyond the range of a double the time is out of reach anyway: saturate instead of
    // converting a value that does not fit.
    constexpr long double kMax = std::numeric_limits<double>::max();
    return static_cast<double>(std::isnan(days) ? days : std::clamp(days, -kMax, kMax));
}

GpsWeekTime DateTimeToGPSTime(const CivilTime &t)
{
    CivilTime midnight = t;
    midnight.hour = midnight.minute = midnight.second = midnight.millisecond = 0;
    const long long days = std::llround(EncodeDateTime(midnight) - kGpsEpoch);
    const double secondsOfDay = t.hour * 3600.0 + t.minute * 60.0 + t.second + t.millisecond / 1000.0;
    GpsWeekTime g;
    g.week = static_cast<int>(days / 7);
    g.seconds = static_cast<double>(days % 7) * 86400.0 + secondsOfDay;
    return g;
}
