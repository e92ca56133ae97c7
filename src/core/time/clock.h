#pragma once

#include "time/date_time.h"

#include <cstdint>
#include <ctime>

// Source of the local time; tests substitute a clock they can move.
class Clock {
public:
    virtual ~Clock() = default;
    virtual DateTime Now() const = 0;
};

class SystemClock final : public Clock {
public:
    DateTime Now() const override;

private:
    // The local time of the last whole second read, kept for the next reads in that second.
    mutable bool known_ = false;
    mutable std::time_t second_ = 0;
    mutable DateTime days_ = 0;     // the local day
    mutable int64_t secondMs_ = 0;  // the local time of day of the second, in ms
};
