#pragma once

#include "time/clock.h"

class FakeClock final : public Clock {
public:
    DateTime now = EncodeDateTime({2026, 12, 7, 12, 30, 5});
    DateTime Now() const override { return now; }
    void AdvanceSeconds(double s) { now += s / 86400.0; }
};
