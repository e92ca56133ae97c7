#pragma once

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <memory>
#include <vector>

// One value over time, for a plot: points older than the span before the newest one are dropped,
// and never more than `capacity` points are kept (an hour at one point a second by default).
// The points lie in a ring that grows up to the capacity: adding one moves nothing.
class HistorySeries {
public:
    struct Point {
        double time; // GPS seconds since the start of GPS time
        double value;
    };

    // The points, oldest first.
    class View {
    public:
        class Iterator {
        public:
            using iterator_category = std::forward_iterator_tag;
            using value_type = Point;
            using difference_type = std::ptrdiff_t;
            using pointer = const Point *;
            using reference = const Point &;

            // k: the position in the ring counted on past its end, head first.
            Iterator(const std::vector<Point> *ring, std::size_t k) : ring_(ring), k_(k) {}
            const Point &operator*() const { return (*ring_)[k_ < ring_->size() ? k_ : k_ - ring_->size()]; }
            const Point *operator->() const { return &**this; }
            Iterator &operator++()
            {
                ++k_;
                return *this;
            }
            bool operator==(const Iterator &o) const { return k_ == o.k_; }
            bool operator!=(const Iterator &o) const { return k_ != o.k_; }

        private:
            const std::vector<Point> *ring_;
            std::size_t k_;
        };

        View(const std::vector<Point> &ring, std::size_t head, std::size_t size) : ring_(&ring), head_(head), size_(size) {}
        std::size_t size() const { return size_; }
        bool empty() const { return size_ == 0; }
        const Point &operator[](std::size_t i) const
        {
            const std::size_t k = head_ + i;
            return (*ring_)[k < ring_->size() ? k : k - ring_->size()];
        }
        const Point &front() const { return (*this)[0]; }
        const Point &back() const { return (*this)[size_ - 1]; }
        Iterator begin() const { return {ring_, head_}; }
        Iterator end() const { return {ring_, head_ + size_}; }

    private:
        const std::vector<Point> *ring_;
        std::size_t head_, size_;
    };

    static constexpr double kSpan = 3600;
    static constexpr std::size_t kCapacity = 3600;

    explicit HistorySeries(double span = kSpan, std::size_t capacity = kCapacity) : span_(span), capacity_(capacity) {}

    // A time before the newest point starts the series again: the feed went back in time.
    void Add(double time, double value)
    {
        if (size_ > 0 && time < Points().back().time)
            head_ = size_ = 0;
        if (capacity_ == 0)
            return;
        if (size_ == ring_.size()) {
            if (ring_.size() < capacity_)
                Grow();
            else
                DropOldest(); // full: the oldest point makes room
        }
        const std::size_t k = head_ + size_;
        ring_[k < ring_.size() ? k : k - ring_.size()] = {time, value};
        ++size_;
        while (size_ > 0 && Points().front().time < time - span_)
            DropOldest();
    }

    View Points() const { return {ring_, head_, size_}; }
    bool Empty() const { return size_ == 0; }

private:
    void Grow()
    {
        std::vector<Point> grown(std::min(capacity_, std::max<std::size_t>(16, ring_.size() * 2)));
        std::copy(Points().begin(), Points().end(), grown.begin());
        ring_.swap(grown);
        head_ = 0;
    }
    void DropOldest()
    {
        head_ = head_ + 1 == ring_.size() ? 0 : head_ + 1;
        --size_;
    }

    double span_;
    std::size_t capacity_;
    std::vector<Point> ring_; // the points from head_ on, wrapping at the end
    std::size_t head_ = 0, size_ = 0;
};

// Series by a small whole number (a slot, a grid point, a type), each made when first added to:
// a look-up is an index, not a search.
class SeriesByKey {
public:
    explicit SeriesByKey(int keys) : series_(static_cast<std::size_t>(keys)) {}

    // A key outside 0 to keys - 1 has no series and is not added to.
    void Add(int key, double time, double value)
    {
        if (key < 0 || key >= static_cast<int>(series_.size()))
            return;
        auto &s = series_[static_cast<std::size_t>(key)];
        if (!s)
            s = std::make_unique<HistorySeries>();
        s->Add(time, value);
    }
    const HistorySeries *Find(int key) const
    {
        return key < 0 || key >= static_cast<int>(series_.size()) ? nullptr : series_[static_cast<std::size_t>(key)].get();
    }
    void Clear()
    {
        for (auto &s : series_)
            s.reset();
    }

private:
    std::vector<std::unique_ptr<HistorySeries>> series_;
};
