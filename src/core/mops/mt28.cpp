#include "mops/mt28.h"

#include "mops/prn_lookup.h"

void TMT28::Decode()
{
    if (Message().empty())
        return;
    using namespace mt28;
    for (int s = 0; s < 2; ++s) {
        const int c = kSecondSatellite * s;
        TClockEphCovMatrix &cov = last_.Sat[s];
        DecodeListed<kSatellite>(*this, cov, c);
        DecodeListed<kElements>(*this, cov, c);
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
