#include "overview/type_statistics.h"

#include <algorithm>
#include <cmath>

namespace {

std::size_t SlotOf(int64_t second)
{
    const int64_t w = TypeStatistics::kWindowSeconds;
    return static_cast<std::size_t>((second % w + w) % w); // also before time 0
}

} // namespace

void TypeStatistics::Note(double time, bool parityHolds)
{
    if (count_ > 0 && time > last_)
        longestGap_ = std::max(longestGap_, time - last_);
    ++count_;
    if (!parityHolds)
        ++parityFailures_;
    last_ = time;
    const auto second = static_cast<int64_t>(std::floor(time));
    Bucket &b = buckets_[SlotOf(second)];
    if (b.second != second) {
        if (InCountedWindow(b.second))
            inWindow_ -= b.count;
        b = {second, 0};
    }
    ++b.count;
    if (InCountedWindow(second))
        ++inWindow_;
}

int64_t TypeStatistics::InWindow(int64_t end) const
{
    const int64_t step = end - windowEnd_;
    if (!windowKnown_ || step >= kWindowSeconds || step <= -kWindowSeconds) {
        inWindow_ = 0;
        for (const Bucket &b : buckets_)
            if (b.second > end - kWindowSeconds && b.second <= end)
                inWindow_ += b.count;
    } else if (step > 0) {
        // Second s enters as second s - kWindowSeconds leaves; both would sit in one bucket.
        std::size_t slot = SlotOf(windowEnd_);
        for (int64_t s = windowEnd_ + 1; s <= end; ++s) {
            slot = slot + 1 == buckets_.size() ? 0 : slot + 1;
            const Bucket &b = buckets_[slot];
            if (b.second == s)
                inWindow_ += b.count;
            else if (b.second == s - kWindowSeconds)
                inWindow_ -= b.count;
        }
    } else {
        std::size_t slot = SlotOf(windowEnd_);
        for (int64_t s = windowEnd_; s > end; --s) {
            const Bucket &b = buckets_[slot];
            if (b.second == s)
                inWindow_ -= b.count;
            else if (b.second == s - kWindowSeconds)
                inWindow_ += b.count;
            slot = slot == 0 ? buckets_.size() - 1 : slot - 1;
        }
    }
    windowKnown_ = true;
    windowEnd_ = end;
    return inWindow_;
}

double TypeStatistics::PerMinute(double now, double observed) const
{
    const int64_t inWindow = InWindow(static_cast<int64_t>(std::floor(now)));
    const double seconds = std::clamp(observed, 1.0, static_cast<double>(kWindowSeconds));
    return static_cast<double>(inWindow) * 60.0 / seconds;
}
