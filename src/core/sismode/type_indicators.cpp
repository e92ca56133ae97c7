#include "sismode/type_indicators.h"

#include "sismode/sis_mode_state.h"

#include <algorithm>
#include <cmath>

TypeIndicators::TypeIndicators()
{
    green_.fill(-1);
    for (const int type : MTBuffer::kTypes)
        green_[static_cast<std::size_t>(type)] = 0;
}

void TypeIndicators::Note(int type, DateTime now, bool received)
{
    if (type < 0 || type >= kTypes)
        return;
    lastSeen_[type] = now;
    if (green_[type] < 0)
        return;
    green_[type] = received ? 1 : 0;
    // Bounds only ever widen here: a tick outside them looks at every indicator again.
    const DateTime until = std::trunc(now) != 0 ? now + kFiveMinutes : kNever;
    if (received)
        greenUntil_ = std::min(greenUntil_, until);
    else
        whiteUntil_ = std::max(whiteUntil_, until);
}

void TypeIndicators::RefreshAll(DateTime now)
{
    greenUntil_ = kLatest;
    whiteUntil_ = kNever;
    for (int type = 0; type < kTypes; ++type) {
        changed_[type] = false;
        if (green_[type] < 0)
            continue;
        const bool seen = std::trunc(lastSeen_[type]) != 0;
        const DateTime until = seen ? lastSeen_[type] + kFiveMinutes : kNever;
        const bool green = seen && now <= until;
        changed_[type] = green != (green_[type] == 1);
        green_[type] = green ? 1 : 0;
        if (green)
            greenUntil_ = std::min(greenUntil_, until);
        else if (seen)
            whiteUntil_ = std::max(whiteUntil_, until);
    }
}

void TypeIndicators::Clear()
{
    lastSeen_.fill(0);
    for (auto &g : green_)
        if (g > 0)
            g = 0;
    greenUntil_ = kLatest;
    whiteUntil_ = kNever;
}
