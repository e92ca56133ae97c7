#pragma once

#include "sismode/sis_mode_state.h"

#include <string>

class Clock;

// What the monitor drives: the broadcast status window.
class SisModeDisplay {
public:
    virtual ~SisModeDisplay() = default;
    // supervision: asked by the connection supervision rather than by the monitor.
    virtual void SetMode(const std::string &name, bool supervision, int notify) = 0;
    virtual void RefreshTypes() = 0;
};

// Counts ticks (one a second and one per processed message) and decides the broadcast mode
// on every sixtieth.
class TSISModeThread final {
public:
    TSISModeThread(SisModeDisplay &display, const Clock &clock) : display_(display), clock_(clock) {}

    void Evaluate();
    void Execute() { Evaluate(); }
    // The no-data check's tick: stalled when no message with a new time of week came since its
    // previous tick. A stall shows InfoNA at once and holds it; its first tick marks when data
    // stopped, and true is returned then (once per stall, for the caller to log).
    bool NoDataCheck(bool stalled);

    SISModeState State;
    BroadcastMode CurrentMode() const { return mode_; }

    static constexpr int kTicksPerDecision = 60;

private:
    SisModeDisplay &display_;
    const Clock &clock_;
    int ticks_ = 0;
    BroadcastMode mode_ = BroadcastMode::None;
};
