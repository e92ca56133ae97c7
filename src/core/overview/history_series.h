#pragma once

#include <cstddef>
#include <deque>

// One value over time, for a plot: points older than the span before the newest one are dropped,
// and never more than `capacity` points are kept (an hour at one point a second by default).
class HistorySeries {
public:
    struct Point {
        double time; // GPS seconds since the start of GPS time
        double value;
    };

    static constexpr double kSpan = 3600;
    static constexpr std::size_t kCapacity = 3600;

    explicit HistorySeries(double span = kSpan, std::size_t capacity = kCapacity) : span_(span), capacity_(capacity) {}

    // A time before the newest point starts the series again: the feed went back in time.
    void Add(double time, double value)
    {
        if (!points_.empty() && time < points_.back().time)
            points_.clear();
        points_.push_back({time, value});
        while (points_.size() > capacity_ || points_.front().time < time - span_)
            points_.pop_front();
    }

    const std::deque<Point> &Points() const { return points_; }
    bool Empty() const { return points_.empty(); }

private:
    double span_;
    std::size_t capacity_;
    std::deque<Point> points_;
};
