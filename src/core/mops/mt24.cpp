#include "mops/mt24.h"

#include "mops/prn_lookup.h"

namespace long_term_half {

LongTermVel0 ReadVel0(const TMOPSMsg &m, int code, int satellite)
{
    const int c = code + kSecondSatellite * satellite;
    LongTermVel0 r;
    r.Available = true;
    DecodeListed<kVel0>(m, r, c);
    return r;
}

LongTermVel1 ReadVel1(const TMOPSMsg &m, int code)
{
    LongTermVel1 r;
    r.Available = true;
    DecodeListed<kVel1>(m, r, code);
    return r;
}

} // namespace long_term_half

void TMT24::Decode()
{
    if (Message().empty() || !mask_.received)
        return;
    using namespace mt24;
    const int block = IntValue(*this, kBlockID);
    for (int s = 0; s < kFastSatellites; ++s) {
        FastCorrection &f = data_.Fast[LookupPRN(mask_, 13 * block + s + 1)];
        const auto udrei = RawValue(*this, UDREI(s));
        f = {true, Value(*this, PRC(s)), static_cast<int32_t>(udrei), kUDRE[udrei], kVarUDRE[udrei]};
    }

    using namespace long_term_half;
    const int code = kVelocityCode.start;
    if (RawValue(*this, kVelocityCode) == 1) {
        const int m = IntValue(*this, kMask1.At(code));
        if (m != 0)
            data_.Vel1[LookupPRN(mask_, m)] = ReadVel1(*this, code);
        return;
    }
    for (int satellite = 0; satellite < 2; ++satellite) {
        const int m = IntValue(*this, kMask0.At(code + kSecondSatellite * satellite));
        if (m != 0)
            data_.Vel0[LookupPRN(mask_, m)] = ReadVel0(*this, code, satellite);
    }
}
