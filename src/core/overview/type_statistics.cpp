#include "overview/type_statistics.h"

#include <algorithm>
#include <cmath>

void TypeStatistics::Note(double time, bool parityHolds)
{
    if (count_ > 0 && time > last_)
        longestGap_ = std::max(longestGap_, time - last_);
    ++count_;
    if (!parityHolds)
        ++parityFailures_;
    last_ = time;
    const auto second = static_cast<int64_t>(std::floor(time));
    const int64_t slot = (second % kWindowSeconds + kWindowSeconds) % kWindowSeconds; // also before time 0
    Bucket &b = buckets_[static_cast<std::size_t>(slot)];
    if (b.second != second)
        b = {second, 0};
    ++b.count;
}

double TypeStatistics::PerMinute(double now, double observed) const
{
    const auto end = static_cast<int64_t>(std::floor(now));
    int64_t inWindow = 0;
    for (const Bucket &b : buckets_)
        if (b.second > end - kWindowSeconds && b.second <= end)
            inWindow += b.count;
    const double seconds = std::clamp(observed, 1.0, static_cast<double>(kWindowSeconds));
    return static_cast<double>(inWindow) * 60.0 / seconds;
}
