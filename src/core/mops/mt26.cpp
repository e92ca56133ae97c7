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
    IGPEntry *e = &grid_.entry[BandFirstEntry(band)];
    IGPEntry *const end = e + BandSize(band);
    // The block's points are the band's masked points after those of the blocks before it.
    for (int before = kPoints * header.BlockID; before > 0 && e != end; ++e)
        before -= (e->InMask & 0xFF) != 0;
    const Field &delay0 = kPoint[0].field, &givei0 = kPoint[1].field;
    for (int n = 0; n < kPoints && e != end; ++e) {
        if ((e->InMask & 0xFF) == 0)
            continue;
        const int offset = kPointBits * n; // as Delay(n) and GIVEI(n)
        const auto raw = static_cast<uint32_t>(BitField(delay0.start + offset, delay0.width));
        const double delay = Scaled(raw, delay0.lsb, delay0.decimal);
        e->VerticalDelay = delay >= 63.875 ? 10000.0f : static_cast<float>(delay);
        const auto givei = static_cast<uint32_t>(BitField(givei0.start + offset, givei0.width));
        e->GIVEI = static_cast<int32_t>(givei);
        e->GIVE = static_cast<float>(kGIVE[givei]);
        e->VarGIVE = static_cast<float>(kVarGIVE[givei]);
        ++n;
    }
}
