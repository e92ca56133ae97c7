#include "overview/satellite_verdict.h"

#include "mops/fast_degradation.h"

#include <cmath>

int FastCorrectionTimeout(int indicator)
{
    return kFastDegradation[static_cast<std::size_t>(indicator & 0xF)].pa;
}

SatelliteVerdict Judge(const SatelliteState &s, int maskIodp, double now)
{
    auto no = [](std::string reason) { return SatelliteVerdict{false, std::move(reason)}; };
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
    const double age = now - s.fastTime;
    const int timeout = FastCorrectionTimeout(s.indicator);
    if (age > timeout)
        return no("fast correction " + std::to_string(std::llround(age)) + " s old, time-out " +
                  std::to_string(timeout) + " s");
    if (!s.longTerm)
        return no("no long-term correction");
    return {true, {}};
}
