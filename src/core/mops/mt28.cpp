#include "mops/mt28.h"

#include "mops/prn_lookup.h"

std::array<int32_t *, 10> mt28::Elements(TClockEphCovMatrix &c)
{
    return {&c.E11, &c.E22, &c.E33, &c.E44, &c.E12, &c.E13, &c.E14, &c.E23, &c.E24, &c.E34};
}

void TMT28::Decode()
{
    if (Message().empty())
        return;
    using namespace mt28;
    for (int s = 0; s < 2; ++s) {
        const int c = kSecondSatellite * s;
        TClockEphCovMatrix &cov = last_.Sat[s];
        cov.MaskNumber = IntValue(*this, kMaskNumber.At(c));
        cov.ScaleExponent = IntValue(*this, kScaleExponent.At(c));
        const auto elements = Elements(cov);
        for (std::size_t i = 0; i < kElements.size(); ++i)
            *elements[i] = IntValue(*this, kElements[i].At(c));
    }
    for (const TClockEphCovMatrix &cov : last_.Sat) {
        const int prn = cov.MaskNumber == 0 ? 0 : LookupPRN(mask_, cov.MaskNumber);
        if (prn == 0)
            continue;
        CovarianceRecord &rec = data_[prn];
        rec.Available = true;
        rec.Cov = cov;
        rec.Cov.PRN = prn;
    }
}
