#pragma once

#include <cstddef>
#include <utility>
#include <vector>

// The deadlines of a fixed set of items (0 to count - 1), earliest first. Setting a deadline
// costs a logarithm of the set at most; a later deadline is looked at again only when the
// earlier one it replaced comes up, so each item holds about one entry however often it is set.
class DeadlineQueue {
public:
    static constexpr double kNone = 1e300; // no deadline

    void Resize(std::size_t items);
    void Set(int item, double deadline);
    double Deadline(int item) const { return deadline_[static_cast<std::size_t>(item)]; }
    // The next item whose deadline lies before `now`, in order of deadlines; -1 when none is due.
    // The item keeps its deadline: the caller sets another or kNone.
    int PopDue(double now);
    std::size_t Entries() const { return heap_.size(); }

private:
    using Entry = std::pair<double, int>;
    void Push(int item, double deadline);
    void Rebuild();

    std::vector<double> deadline_; // the item's deadline
    std::vector<double> queued_;   // the deadline of the item's entry in the heap that counts
    std::vector<Entry> heap_;      // a min-heap by deadline (std::greater)
};
