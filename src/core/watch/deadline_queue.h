#pragma once

#include <cstddef>
#include <vector>

// The deadlines of a fixed set of items (0 to count - 1), earliest first. Deadlines are GPS
// seconds and move on with the stream, so they are kept on a wheel of whole seconds: setting
// one and taking it when it is due cost the same however many items wait. A later deadline is
// looked at again only when the earlier one it replaced comes up, so each item holds about one
// entry however often it is set.
class DeadlineQueue {
public:
    static constexpr double kNone = 1e300; // no deadline

    void Resize(std::size_t items);
    void Set(int item, double deadline);
    double Deadline(int item) const { return deadline_[static_cast<std::size_t>(item)]; }
    // The next item whose deadline lies before `now`, in order of deadlines; -1 when none is due.
    // The item keeps its deadline: the caller sets another or kNone.
    int PopDue(double now);
    std::size_t Entries() const { return entries_; }

private:
    struct Entry {
        double when;
        int item;
    };
    static constexpr long kWheelSeconds = 4096; // the time-outs of all but a few items fit in a turn

    struct ByLater { // the later entry first
        bool operator()(const Entry &a, const Entry &b) const;
    };
    static std::size_t SlotOf(long second);
    void Push(int item, double deadline);
    void Place(const Entry &e);
    void TurnTo(long second);
    void Rebuild();

    std::vector<double> deadline_;           // the item's deadline
    std::vector<double> queued_;             // the deadline of the item's entry that counts
    std::vector<std::vector<Entry>> wheel_;  // entries by the whole second of their deadline
    std::vector<Entry> later_;               // entries a turn of the wheel or more ahead: a min-heap
    std::vector<Entry> taken_;               // entries of the seconds the wheel has passed, latest first
    bool takenSorted_ = true;
    bool started_ = false;
    long turned_ = 0; // the wheel holds no entry of a second before this one
    std::size_t entries_ = 0;
};
