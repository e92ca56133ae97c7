#include "overview/feed_statistics.h"

#include <algorithm>
#include <cmath>

void FeedStatistics::NoteTime(double time)
{
    if (started_) {
        const auto step = std::llround(time - previous_);
        if (step == 0) {
            ++duplicates_;
        } else if (step < 0) {
            ++stepsBack_;
        } else if (step > 1) {
            ++gaps_;
            missing_ += step - 1;
            longestGap_ = std::max(longestGap_, static_cast<double>(step - 1));
        }
    }
    started_ = true;
    previous_ = time;
}

void FeedStatistics::NoteMode(BroadcastMode mode, double time)
{
    if (mode == mode_)
        return;
    mode_ = mode;
    modeSince_ = time;
}
