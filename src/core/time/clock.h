#pragma once

#include "time/date_time.h"

// Source of the local time; tests substitute a clock they can move.
class Clock {
public:
    virtual ~Clock() = default;
    virtual DateTime Now() const = 0;
};

class SystemClock final : public Clock {
public:
    DateTime Now() const override;
};
