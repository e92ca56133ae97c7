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
    SbasFrame f(6);
    for (int type = 2; type <= 5; ++type)
        f.Put(mt06::IODF(type), d.IODF[type - 2]);
    for (int n = 1; n <= mt06::kSatellites; ++n)
        f.Put(mt06::UDREI(n), d.Slot[n - 1].UDREI);
    return f;
}

SbasFrame DegradationFactors(const TFastCorDegFactors &d)
{
    SbasFrame f(7);
    f.Put(mt07::kSystemLatency, d.SystemLatency);
    f.Put(mt07::kIODP, d.IODP);
    for (int n = 1; n <= mt07::kSatellites; ++n)
        f.Put(mt07::Indicator(n), d.DegradationIndicator[n - 1]);
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
    SbasFrame f(18);
    f.Put(mt18::kBandCount, m.bandCount);
    f.Put(mt18::kBand, m.band);
    f.Put(mt18::kIODI, m.iodi);
    for (const int point : m.points)
        f.Put(mt18::MaskBit(point), 1);
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
    SbasFrame f(26);
    f.Put(kBand, m.band);
    f.Put(kBlockID, m.block);
    for (int n = 0; n < kPoints; ++n) {
        const double delay = std::min(std::max(m.delay[n], 0.0), 63.875);
        f.Put(Delay(n), delay);
        f.Put(GIVEI(n), m.givei[n]);
    }
    f.Put(kIODI, m.iodi);
    return f;
}

SbasFrame Service(const ServiceMsg &m)
{
    using namespace mt27;
    SbasFrame f(27);
    f.Put(kIODS, m.iods);
    f.Put(kNumberOfMessages, m.numberOfMessages - 1);
    f.Put(kMessageNumber, m.messageNumber);
    f.Put(kNumberOfRegions, static_cast<double>(m.regions.size()));
    f.Put(kPriority, m.priority);
    f.Put(kDeltaInside, m.deltaInside);
    f.Put(kDeltaOutside, m.deltaOutside);
    for (std::size_t k = 0; k < m.regions.size() && k < 5; ++k) {
        const int b = kRegionBits * static_cast<int>(k);
        const ServiceRegion &r = m.regions[k];
        f.Put(kLatitude1.At(b), r.Latitude1);
        f.Put(kLongitude1.At(b), r.Longitude1);
        f.Put(kLatitude2.At(b), r.Latitude2);
        f.Put(kLongitude2.At(b), r.Longitude2);
        f.Put(kShape.At(b), r.Shape);
    }
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
