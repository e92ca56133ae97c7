#pragma once

#include <array>
#include <cstdint>
#include <memory>

// Arrivals of one message type: count, parity failures, the last time, the longest gap between
// two of them, and a rate over a sliding window of whole GPS seconds.
class TypeStatistics {
public:
    static constexpr int kWindowSeconds = 600;

    void Note(double time, bool parityHolds);

    int64_t Count() const { return count_; }
    int64_t ParityFailures() const { return parityFailures_; }
    double LastTime() const { return last_; }
    double LongestGap() const { return longestGap_; }
    // Messages a minute in the window ending at `now`; the window is shortened to
    // `observed` seconds while the feed is younger than the window.
    double PerMinute(double now, double observed) const;

private:
    struct Bucket {
        int64_t second = -1;
        int32_t count = 0;
    };
    // Messages in the window of whole seconds (end - kWindowSeconds, end]. The count of the
    // window asked for last is kept: moving its end by a second looks at one bucket, the one
    // the second entering and the second leaving share.
    int64_t InWindow(int64_t end) const;
    bool InCountedWindow(int64_t second) const
    {
        return windowKnown_ && second > windowEnd_ - kWindowSeconds && second <= windowEnd_;
    }

    int64_t count_ = 0;
    int64_t parityFailures_ = 0;
    double last_ = 0;
    double longestGap_ = 0;
    std::array<Bucket, kWindowSeconds> buckets_{};
    mutable bool windowKnown_ = false;
    mutable int64_t windowEnd_ = 0;
    mutable int64_t inWindow_ = 0;
};
