#include "watch/deadline_queue.h"

#include <algorithm>
#include <cmath>

namespace {

long SecondOf(double when)
{
    return static_cast<long>(std::floor(when));
}

} // namespace

bool DeadlineQueue::ByLater::operator()(const Entry &a, const Entry &b) const
{
    return a.when > b.when || (a.when == b.when && a.item > b.item);
}

std::size_t DeadlineQueue::SlotOf(long second)
{
    return static_cast<std::size_t>((second % kWheelSeconds + kWheelSeconds) % kWheelSeconds);
}

void DeadlineQueue::Resize(std::size_t items)
{
    deadline_.assign(items, kNone);
    queued_.assign(items, kNone);
    wheel_.assign(kWheelSeconds, {});
    later_.clear();
    taken_.clear();
    takenSorted_ = true;
    started_ = false;
    entries_ = 0;
}

void DeadlineQueue::Place(const Entry &e)
{
    const long second = SecondOf(e.when);
    if (!started_) {
        started_ = true;
        turned_ = second;
    }
    if (second < turned_) {
        taken_.push_back(e);
        takenSorted_ = false;
    } else if (second - turned_ < kWheelSeconds) {
        wheel_[SlotOf(second)].push_back(e);
    } else {
        later_.push_back(e);
        std::push_heap(later_.begin(), later_.end(), ByLater{});
    }
}

void DeadlineQueue::Push(int item, double deadline)
{
    queued_[static_cast<std::size_t>(item)] = deadline;
    Place({deadline, item});
    // Entries replaced by earlier deadlines stay until they come up; past a bound they go at once.
    if (++entries_ > 4 * deadline_.size() + 64)
        Rebuild();
}

void DeadlineQueue::Set(int item, double deadline)
{
    const auto i = static_cast<std::size_t>(item);
    deadline_[i] = deadline;
    // An entry at or before the new deadline already stands for it: when it comes up, the item
    // is queued again for what its deadline is then.
    if (deadline < queued_[i])
        Push(item, deadline);
}

// Takes the entries of every second up to `second` off the wheel, and brings the entries that
// now fall within a turn onto it.
void DeadlineQueue::TurnTo(long second)
{
    const long from = std::max(turned_, second - kWheelSeconds + 1);
    for (long s = from; s <= second; ++s) {
        std::vector<Entry> &slot = wheel_[SlotOf(s)];
        if (slot.empty())
            continue;
        taken_.insert(taken_.end(), slot.begin(), slot.end());
        slot.clear();
        takenSorted_ = false;
    }
    turned_ = second + 1;
    while (!later_.empty() && SecondOf(later_.front().when) - turned_ < kWheelSeconds) {
        std::pop_heap(later_.begin(), later_.end(), ByLater{});
        const Entry e = later_.back();
        later_.pop_back();
        Place(e);
    }
}

int DeadlineQueue::PopDue(double now)
{
    if (!started_)
        return -1;
    if (SecondOf(now) >= turned_)
        TurnTo(SecondOf(now));
    for (;;) {
        if (!takenSorted_) {
            std::sort(taken_.begin(), taken_.end(), ByLater{});
            takenSorted_ = true;
        }
        if (taken_.empty() || !(taken_.back().when < now))
            return -1;
        const auto [when, item] = taken_.back();
        taken_.pop_back();
        --entries_;
        const auto i = static_cast<std::size_t>(item);
        if (when != queued_[i])
            continue; // replaced by an earlier deadline
        queued_[i] = kNone;
        if (deadline_[i] == when)
            return item;
        if (deadline_[i] < kNone)
            Push(item, deadline_[i]); // set later since: looked at again, in its turn
    }
}

void DeadlineQueue::Rebuild()
{
    for (std::vector<Entry> &slot : wheel_)
        slot.clear();
    later_.clear();
    taken_.clear();
    takenSorted_ = true;
    entries_ = 0;
    for (std::size_t i = 0; i < deadline_.size(); ++i) {
        queued_[i] = deadline_[i];
        if (deadline_[i] < kNone) {
            Place({deadline_[i], static_cast<int>(i)});
            ++entries_;
        }
    }
}
