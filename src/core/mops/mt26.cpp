#include "mops/mt26.h"

#include "mops/integrity_tables.h"

void TMT26::Decode()
{
    if (Message().empty())
        return;
    using namespace mt26;
    IonoDelayHeader header;
    DecodeListed<kFields>(*this, header);
    const int band = header.Band;
    if (band >= kBandCount)
        return;
    const int block = header.BlockID;
    const int first = BandFirstEntry(band);
    int masked = 0; // masked points of the band passed so far
    int n = 0;
    for (int i = 0; i < BandSize(band) && n < kPoints; ++i) {
        IGPEntry &e = grid_.entry[first + i];
        if ((e.InMask & 0xFF) == 0)
            continue;
        if (masked++ < kPoints * block)
            continue;
        const double delay = Value(*this, Delay(n));
        e.VerticalDelay = delay >= 63.875 ? 10000.0f : static_cast<float>(delay);
        const auto givei = RawValue(*this, GIVEI(n));
        e.GIVEI = static_cast<int32_t>(givei);
        e.GIVE = static_cast<float>(kGIVE[givei]);
        e.VarGIVE = static_cast<float>(kVarGIVE[givei]);
        ++n;
    }
}
