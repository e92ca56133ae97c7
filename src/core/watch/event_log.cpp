#include "watch/event_log.h"

#include "mops/gpstime.h"

#include <cmath>
#include <cstdio>

namespace {

constexpr const char *kKindNames[] = {"Test mode", "UDREI",    "Time-out",        "Recovery", "Issue of data",
                                      "Mask",      "Gap",      "Update interval", "Parity",   "Broadcast mode"};
static_assert(std::size(kKindNames) == kEventKinds);

constexpr double kSecondsPerWeek = 604800;

} // namespace

const char *KindName(EventKind kind)
{
    return kKindNames[static_cast<int>(kind)];
}

void EventLog::Add(WatchEvent event)
{
    event.sequence = next_++;
    events_.push_back(std::move(event));
    if (events_.size() > kCapacity)
        events_.pop_front();
}

std::string GpsTimeText(double gpsSeconds)
{
    if (!(gpsSeconds >= 0) || gpsSeconds > 1e12)
        return {};
    const double whole = std::floor(gpsSeconds);
    const CivilTime t =
        DecodeDateTime(GPSTimeToDateTime(std::floor(whole / kSecondsPerWeek), std::fmod(whole, kSecondsPerWeek)));
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour, t.minute,
                  t.second);
    return text;
}

std::string EventLine(const WatchEvent &e)
{
    std::string line = GpsTimeText(e.time);
    for (const char *field : {e.geo.c_str(), KindName(e.kind), e.item.c_str(), e.from.c_str(), e.to.c_str()})
        line.append(1, '\t').append(field);
    return line;
}
