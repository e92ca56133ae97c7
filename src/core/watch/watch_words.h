#pragma once

#include "watch/signal_watch.h"

#include <string>

// What a grid point holds, as the overview says it: "not received yet" is kept apart from the
// points the signal flags "Do Not Use" or "Not Monitored".
enum class GridPointStatus { NotInMask, NotReceived, TimedOut, DoNotUse, NotMonitored, Monitored };

// `verticalDelay` as the grid decoder left it (10000 for "Do Not Use").
GridPointStatus StatusOf(const GridPointAge &point, float verticalDelay);
const char *StatusText(GridPointStatus status);

// An item's age against its time-out, whole seconds: "3 / 12", "250 / 240: expired", "3" where
// no time-out is known, "" before it was received.
std::string AgeText(const ItemAge &age);

// The header of the overview: "Test mode (Mode 0/2): type 0 received 12 s ago, no satellite is
// for safety use", or that no type 0 came within the minute.
std::string TestModeText(const TestModeState &state);
