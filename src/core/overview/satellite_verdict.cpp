#include "overview/satellite_verdict.h"

SatelliteVerdict Judge(const SatelliteState &s, int maskIodp, const SatelliteWatchWord &watch)
{
    auto no = [](std::string reason) { return SatelliteVerdict{false, std::move(reason)}; };
    if (watch.testMode)
        return no("type 0: not for safety use");
    if (!s.fastCorrection)
        return no("no fast correction");
    if (s.udrei == 15)
        return no("UDREI 15: do not use");
    if (s.udrei == 14)
        return no("not monitored");
    if (s.fastIodp != maskIodp)
        return no("IODP of the corrections differs from the mask");
    if (!s.degradation)
        return no("no degradation factor (type 7)");
    if (!watch.expired.empty())
        return no(watch.expired);
    if (!s.longTerm)
        return no("no long-term correction");
    return {true, {}};
}
