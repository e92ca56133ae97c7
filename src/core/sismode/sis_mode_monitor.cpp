#include "sismode/sis_mode_monitor.h"

#include "time/clock.h"

void TSISModeThread::Evaluate()
{
    ++ticks_;
    display_.RefreshTypes();
    if (ticks_ != kTicksPerDecision)
        return;
    mode_ = State.Decide(mode_, clock_.Now());
    if (mode_ != BroadcastMode::None)
        display_.SetMode(ModeName(mode_), false, 1);
    State.ResetWindow();
    ticks_ = 0;
}

bool TSISModeThread::NoDataCheck(bool stalled)
{
    const bool first = stalled && !State.Stalled;
    State.Stalled = stalled;
    if (!stalled)
        return false;
    display_.SetMode(ModeName(BroadcastMode::InfoNA), true, 1);
    if (first) {
        State.OutageStart = clock_.Now();
        State.Receiving = false;
    }
    return first;
}
