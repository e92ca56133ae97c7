#pragma once

// Date-times are day counts since 30 December 1899 00:00, the fraction being the time of day.
using DateTime = double;

struct CivilTime {
    int year = 1899, month = 12, day = 30;
    int hour = 0, minute = 0, second = 0, millisecond = 0;
};

DateTime EncodeDateTime(const CivilTime &t);
// Rounds to the nearest millisecond.
CivilTime DecodeDateTime(DateTime value);

constexpr double kFiveMinutes = 5.0 / 1440.0;
