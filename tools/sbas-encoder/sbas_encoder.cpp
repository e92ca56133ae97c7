#include "sbas_encoder.h"

#include "mops/mt01.h"
#include "mops/mt02_05.h"
#include "mops/mt18.h"
#include "mops/mt26.h"
#include "mops/mt27.h"

#include <algorithm>
#include <cmath>

namespace sbas {

namespace {

template <typename Record, std::size_t N>
void PutFields(SbasFrame &f, const FieldList<Record, N> &list, const Record &r, int offset = 0)
{
    for (const NamedField<Record> &field : list)
        f.Put(field.field.At(offset), FieldValue(r, field));
}

template <typename Record, std::size_t N>
SbasFrame FromFields(int type, const FieldList<Record, N> &list, const Record &r)
{
    SbasFrame f(type);
    PutFields(f, list, r);
    return f;
}

} // namespace

SbasFrame NullMessage()
{
    return SbasFrame(63);
}

SbasFrame PrnMask(const std::set<int> &slots, int iodp)
{
    SbasFrame f(1);
    for (const int slot : slots)
        f.Put(mt01::Slot(slot), 1);
    f.Put(mt01::kIODP, iodp);
    return f;
}

SbasFrame FastCorrections(const FastCorrectionsMsg &m)
{
    SbasFrame f(m.type);
    using namespace mt02_05;
    f.Put(kIODF, m.iodf);
    f.Put(kIODP, m.iodp);
    for (int i = 0; i < kCorrections; ++i) {
        f.Put(PRC(i), m.prc[i]);
        f.Put(UDREI(i), m.udrei[i]);
    }
    return f;
}

SbasFrame Integrity(const TIntegrityInformation &d)
{
    using namespace mt06;
    SbasFrame f = FromFields(6, kFields, d);
    for (int n = 1; n <= kSatellites; ++n)
        PutFields(f, kSlot, d.Slot[n - 1], kSlotBits * (n - 1));
    return f;
}

SbasFrame DegradationFactors(const TFastCorDegFactors &d)
{
    using namespace mt07;
    SbasFrame f = FromFields(7, kFields, d);
    for (int n = 1; n <= kSatellites; ++n)
        PutFields(f, kSatellite, SatelliteDegradation{d.DegradationIndicator[n - 1]}, kSatelliteBits * (n - 1));
    return f;
}

SbasFrame GeoNavigation(const TGEONavigation &d)
{
    return FromFields(9, mt09::kFields, d);
}

SbasFrame DegradationParameters(const TDegradationFactors &d)
{
    return FromFields(10, mt10::kFields, d);
}

SbasFrame NetworkTime(const TWAASNetworkTime &d)
{
    return FromFields(12, mt12::kFields, d);
}

SbasFrame GeoAlmanacs(const AlmanacMsg &m)
{
    using namespace mt17;
    SbasFrame f(17);
    for (int k = 0; k < kAlmanacs; ++k) {
        const int b = kAlmanacBits * k;
        const TGEOAlmanac &g = m.geo[k];
        PutFields(f, kFields, g, b);
        const int health = (m.providerId[k] << 4) | (g.Integrity ? 0 : 4) | (g.Corrections ? 0 : 2) |
                           (g.Ranging ? 0 : 1);
        f.Put(kHealth.At(b), health);
    }
    f.Put(kT0, m.tod);
    return f;
}

SbasFrame IgpMask(const IgpMaskMsg &m)
{
    using namespace mt18;
    SbasFrame f = FromFields(18, kFields, IgpMaskHeader{m.bandCount, m.band, m.iodi});
    IGPEntry in{};
    in.InMask = 1;
    for (const int point : m.points)
        PutFields(f, kPoint, in, kPointBits * point);
    return f;
}

namespace {

void PutLongTermHalf(SbasFrame &f, int code, const LongTermHalf &h)
{
    using namespace long_term_half;
    f.Set(code, 1, h.velocityCode);
    if (h.velocityCode == 1) {
        f.Put(kMask1.At(code), h.maskNumber[0]);
        PutFields(f, kVel1, h.values[0], code);
        f.Put(kVel1.back().field.At(code), h.iodp); // the half's IODP, not the record's
        return;
    }
    for (int s = 0; s < 2; ++s) {
        const int c = code + kSecondSatellite * s;
        const LongTermVel1 &v = h.values[s];
        const LongTermVel0 v0{true, v.IssueOfData, v.DeltaX, v.DeltaY, v.DeltaZ, v.DeltaAf0};
        f.Put(kMask0.At(c), h.maskNumber[s]);
        PutFields(f, kVel0, v0, c);
    }
    f.Put(kIODP0.At(code), h.iodp);
}

} // namespace

SbasFrame MixedCorrections(const MixedMsg &m)
{
    using namespace mt24;
    SbasFrame f(24);
    for (int s = 0; s < kFastSatellites; ++s) {
        f.Put(PRC(s), m.prc[s]);
        f.Put(UDREI(s), m.udrei[s]);
    }
    f.Put(kIODP, m.iodp);
    f.Put(kBlockID, m.blockId);
    f.Put(kIODF, m.iodf);
    PutLongTermHalf(f, kVelocityCode.start, m.longTerm);
    return f;
}

SbasFrame LongTermCorrections(const LongTermHalf &first, const LongTermHalf &second)
{
    SbasFrame f(25);
    PutLongTermHalf(f, mt25::VelocityCode(0).start, first);
    PutLongTermHalf(f, mt25::VelocityCode(1).start, second);
    return f;
}

SbasFrame IonosphericDelays(const IonoDelayMsg &m)
{
    using namespace mt26;
    SbasFrame f = FromFields(26, kFields, IonoDelayHeader{m.band, m.block, m.iodi});
    for (int n = 0; n < kPoints; ++n) {
        IGPEntry e{};
        e.VerticalDelay = static_cast<float>(std::min(std::max(m.delay[n], 0.0), 63.875));
        e.GIVEI = m.givei[n];
        PutFields(f, kPoint, e, kPointBits * n);
    }
    return f;
}

SbasFrame Service(const ServiceMsg &m)
{
    using namespace mt27;
    const ServiceHeader h{m.iods,     m.numberOfMessages - 1, m.messageNumber, static_cast<int32_t>(m.regions.size()),
                          m.priority, m.deltaInside,          m.deltaOutside};
    SbasFrame f = FromFields(27, kFields, h);
    for (std::size_t k = 0; k < m.regions.size() && k < 5; ++k)
        PutFields(f, kRegion, m.regions[k], kRegionBits * static_cast<int>(k));
    return f;
}

SbasFrame Covariance(const std::array<TClockEphCovMatrix, 2> &sat, int iodp)
{
    using namespace mt28;
    SbasFrame f(28);
    f.Put(kIODP, iodp);
    for (int s = 0; s < 2; ++s) {
        PutFields(f, kSatellite, sat[s], kSecondSatellite * s);
        PutFields(f, kElements, sat[s], kSecondSatellite * s);
    }
    return f;
}

} // namespace sbas
