#include "mops/gpstime.h"
#include "time/date_time.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

std::string Text(DateTime t)
{
    const CivilTime c = DecodeDateTime(t);
    char buf[40];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d.%03d", c.year, c.month, c.day, c.hour, c.minute,
                  c.second, c.millisecond);
    return buf;
}

TEST(GpsTime, WeekAndSecondsBecomeACalendarTime)
{
    struct Case {
        double week, seconds;
        const char *expected;
    } cases[] = {
        {0, 0, "1980-01-06 00:00:00.000"},
        {1234, 345600.5, "2003-09-04 00:00:00.500"},
        {1525, 0, "2009-03-29 00:00:00.000"},
        {1525, 4 * 86400 + 3723, "2009-04-02 01:02:03.000"},
        {1525, 604800, "2009-04-05 00:00:00.000"}, // no validation: runs into the next week
        {2286, 518400 + 7200, "2023-11-04 02:00:00.000"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(Text(GPSTimeToDateTime(c.week, c.seconds)), c.expected) << c.week << " " << c.seconds;
    EXPECT_DOUBLE_EQ(GPSTimeToDateTime(0, 0), 29226.0);
}

TEST(GpsTime, CalendarTimeGoesBackToWeekAndSeconds)
{
    const auto g = DateTimeToGPSTime({2023, 11, 4, 2, 0, 1});
    EXPECT_EQ(g.week, 2286);
    EXPECT_DOUBLE_EQ(g.seconds, 518400 + 7201);
    const auto epoch = DateTimeToGPSTime({1980, 1, 6});
    EXPECT_EQ(epoch.week, 0);
    EXPECT_DOUBLE_EQ(epoch.seconds, 0);
}

TEST(DateTime, EncodesAndDecodesAcrossDayBoundaries)
{
    EXPECT_DOUBLE_EQ(EncodeDateTime({1899, 12, 30}), 0.0);
    EXPECT_DOUBLE_EQ(EncodeDateTime({1900, 1, 1, 12}), 2.5);
    const CivilTime c = DecodeDateTime(EncodeDateTime({2024, 2, 29, 23, 59, 59, 999}));
    EXPECT_EQ(c.year, 2024);
    EXPECT_EQ(c.month, 2);
    EXPECT_EQ(c.day, 29);
    EXPECT_EQ(c.millisecond, 999);
    EXPECT_EQ(Text(EncodeDateTime({2026, 12, 31, 23, 58}) + kFiveMinutes), "2027-01-01 00:03:00.000");
}

} // namespace

// Values no receiver sends but a damaged line can carry: each gives some date, never
// undefined arithmetic (the sanitizer build stops on it).
TEST(GpsTime, ExtremeWeeksAndSecondsSaturate)
{
    const double inf = std::numeric_limits<double>::infinity();
    const double max = std::numeric_limits<double>::max();
    struct Case {
        double week, seconds, expected;
    } const cases[] = {
        {1e308, 0, max},  {-1e308, 0, -max}, {0, max, max / 86400}, {0, -max, -max / 86400},
        {inf, 0, max},    {-inf, 0, -max},   {2443, 0, 29226.0 + 2443 * 7},
    };
    for (const Case &c : cases) {
        EXPECT_DOUBLE_EQ(GPSTimeToDateTime(c.week, c.seconds), c.expected) << c.week << " " << c.seconds;
        DecodeDateTime(GPSTimeToDateTime(c.week, c.seconds));
    }
    EXPECT_TRUE(std::isnan(GPSTimeToDateTime(std::nan(""), 0)));
}

TEST(DateTime, ExtremeCivilFieldsEncodeWithoutOverflow)
{
    const int big = std::numeric_limits<int>::max();
    const int small = std::numeric_limits<int>::min();
    const CivilTime cases[] = {{2000, 1179010623, 1}, {2000, small, 1}, {2000, 1, big}, {2000, 1, small},
                               {big, big, big, big, big, big, big}, {small, small, small, small, small, small, small}};
    for (const CivilTime &t : cases) {
        EXPECT_TRUE(std::isfinite(EncodeDateTime(t))) << t.year << "-" << t.month << "-" << t.day;
        DateTimeToGPSTime(t);
    }
    // The day field counts on linearly however far it runs past the month.
    EXPECT_EQ(EncodeDateTime({2000, 1, big}) - EncodeDateTime({2000, 1, 1}), big - 1.0);
    EXPECT_EQ(EncodeDateTime({2000, 1, small}) - EncodeDateTime({2000, 1, 1}), small - 1.0);
    EXPECT_EQ(EncodeDateTime({2000, 13, 1}), EncodeDateTime({2001, 1, 1}));
}
