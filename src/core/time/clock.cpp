#include "time/clock.h"

#include <chrono>
#include <ctime>

namespace {
constexpr int64_t kMsPerDay = 86400000;
}

DateTime SystemClock::Now() const
{
    const auto now = std::chrono::system_clock::now();
    const std::time_t secs = std::chrono::system_clock::to_time_t(now);
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
    // The clock is read for every message: the local date and time of a second are worked out
    // once, and the milliseconds added to them.
    if (!known_ || secs != second_) {
        std::tm local{};
        localtime_r(&secs, &local);
        const CivilTime day{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
        days_ = EncodeDateTime(day);
        secondMs_ = ((local.tm_hour * int64_t{60} + local.tm_min) * 60 + local.tm_sec) * 1000;
        second_ = secs;
        known_ = true;
    }
    // As EncodeDateTime adds the time of day to the day.
    return days_ + static_cast<double>(secondMs_ + ms) / kMsPerDay;
}
