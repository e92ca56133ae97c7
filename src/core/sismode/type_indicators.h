#pragma once

#include "time/date_time.h"

#include <array>
#include <cstdint>

// The broadcast status window's type indicators: when each type was last received (local time)
// and which indicators are green, that is received in the last 5 minutes. A tick of the monitor
// recolours them by age; most ticks cannot change a colour, and those do no work: the earliest
// time a green one turns white and the latest time a white one would turn green again (the
// clock may be set back) are kept, and only a tick outside them looks at every indicator.
class TypeIndicators final {
public:
    static constexpr int kTypes = 64;

    TypeIndicators();

    // The type arrived at `now`: its time is kept (every type), and its indicator, if it has
    // one, turns green, or white when `received` is false. A type outside 0-63 is ignored.
    void Note(int type, DateTime now, bool received);
    // Recolours every indicator by its age at `now`, calling changed(type, green) for each one
    // whose colour changes. A time whose whole-day part is 0 counts as never.
    template <typename Changed>
    void Refresh(DateTime now, Changed changed)
    {
        if (now <= greenUntil_ && !(now <= whiteUntil_))
            return;
        RefreshAll(now);
        for (int type = 0; type < kTypes; ++type)
            if (changed_[type])
                changed(type, green_[type] == 1);
    }
    // Forgets every time; every indicator white.
    void Clear();

    bool HasIndicator(int type) const { return type >= 0 && type < kTypes && green_[type] >= 0; }
    bool Green(int type) const { return HasIndicator(type) && green_[type] == 1; }
    DateTime LastSeen(int type) const { return lastSeen_[type]; }

private:
    static constexpr DateTime kNever = -1e300;
    static constexpr DateTime kLatest = 1e300;

    void RefreshAll(DateTime now);

    std::array<DateTime, kTypes> lastSeen_{};
    std::array<signed char, kTypes> green_{}; // -1 no indicator, 0 white, 1 green
    std::array<bool, kTypes> changed_{};      // by the last RefreshAll
    DateTime greenUntil_ = kLatest;           // no green indicator turns white before this
    DateTime whiteUntil_ = kNever;            // a white indicator turns green at or before this
};
