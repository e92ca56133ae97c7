#include "watch/watch_words.h"

#include <cmath>

GridPointStatus StatusOf(const GridPointAge &point, float verticalDelay)
{
    if (!point.inMask)
        return GridPointStatus::NotInMask;
    if (!point.delay.received)
        return GridPointStatus::NotReceived;
    if (point.delay.Expired())
        return GridPointStatus::TimedOut; // whatever it said last is no longer to be used
    if (verticalDelay >= 10000)
        return GridPointStatus::DoNotUse;
    if (point.givei == 15)
        return GridPointStatus::NotMonitored;
    return GridPointStatus::Monitored;
}

const char *StatusText(GridPointStatus status)
{
    switch (status) {
    case GridPointStatus::NotInMask:
        return "not in the mask";
    case GridPointStatus::NotReceived:
        return "not received yet";
    case GridPointStatus::TimedOut:
        return "timed out";
    case GridPointStatus::DoNotUse:
        return "Do Not Use";
    case GridPointStatus::NotMonitored:
        return "Not Monitored";
    case GridPointStatus::Monitored:
        break;
    }
    return "monitored";
}

std::string AgeText(const ItemAge &age)
{
    if (!age.received)
        return {};
    std::string text = std::to_string(std::llround(age.age));
    if (age.timeout < 0)
        return text;
    text += " / " + std::to_string(age.timeout);
    return age.Expired() ? text + ": expired" : text;
}

std::string TestModeText(const TestModeState &state)
{
    if (!state.on)
        return "Not in test mode: no type 0 within the last " + std::to_string(kTestModeSeconds) + " s";
    return std::string("Test mode (") + state.Name() + "): type 0 received " + std::to_string(std::llround(state.age)) +
           " s ago, no satellite is for safety use";
}
