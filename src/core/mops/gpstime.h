#pragma once

#include "time/date_time.h"

// GPS week and seconds of week as a calendar date-time, without leap seconds.
DateTime GPSTimeToDateTime(double week, double seconds);

struct GpsWeekTime {
    int week = 0;
    double seconds = 0;
};
// The inverse, for a date-time at or after the GPS epoch.
GpsWeekTime DateTimeToGPSTime(const CivilTime &t);
