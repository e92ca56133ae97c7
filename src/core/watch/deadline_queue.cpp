#include "watch/deadline_queue.h"

#include <algorithm>
#include <functional>

void DeadlineQueue::Resize(std::size_t items)
{
    deadline_.assign(items, kNone);
    queued_.assign(items, kNone);
    heap_.clear();
}

void DeadlineQueue::Push(int item, double deadline)
{
    queued_[static_cast<std::size_t>(item)] = deadline;
    heap_.emplace_back(deadline, item);
    std::push_heap(heap_.begin(), heap_.end(), std::greater<>());
    // Entries replaced by earlier deadlines stay until they come up; past a bound they go at once.
    if (heap_.size() > 4 * deadline_.size() + 64)
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

int DeadlineQueue::PopDue(double now)
{
    while (!heap_.empty() && heap_.front().first < now) {
        std::pop_heap(heap_.begin(), heap_.end(), std::greater<>());
        const auto [when, item] = heap_.back();
        heap_.pop_back();
        const auto i = static_cast<std::size_t>(item);
        if (when != queued_[i])
            continue; // replaced by an earlier deadline
        queued_[i] = kNone;
        if (deadline_[i] == when)
            return item;
        if (deadline_[i] < kNone)
            Push(item, deadline_[i]); // set later since: looked at again, in its turn
    }
    return -1;
}

void DeadlineQueue::Rebuild()
{
    heap_.clear();
    for (std::size_t i = 0; i < deadline_.size(); ++i) {
        queued_[i] = deadline_[i];
        if (deadline_[i] < kNone)
            heap_.emplace_back(deadline_[i], static_cast<int>(i));
    }
    std::make_heap(heap_.begin(), heap_.end(), std::greater<>());
}
