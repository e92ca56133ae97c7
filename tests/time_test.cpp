#include "mops/gpstime.h"
#include "time/date_time.h"

#include <gtest/gtest.h>

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
