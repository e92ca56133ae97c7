#include "overview/signal_overview.h"

#include "link/message_catalogue.h"
#include "mops/aux_functions.h"
#include "mops/crc24q.h"
#include "mops/fast_degradation.h"
#include "mops/field.h"
#include "mops/integrity_tables.h"
#include "mops/mt02_05.h"
#include "mops/mt06.h"
#include "mops/mt07.h"
#include "mops/mt18.h"
#include "mops/mt24.h"
#include "mops/mt25.h"
#include "mops/mt26.h"
#include "mops/mt27.h"
#include "mops/mt28.h"
#include "mops/prn_lookup.h"

#include <algorithm>

namespace {

// Far beyond any week the feed will reach, yet a whole second of it still fits the rate buckets.
constexpr double kLatestGpsTime = 1e12;

// A time the overview can place: a server sending a week or time of week of its own making
// must not reach the buckets and counters, which count whole seconds.
bool PlaceableTime(double gpsSeconds)
{
    return gpsSeconds >= 0 && gpsSeconds < kLatestGpsTime; // false for NaN too
}

constexpr int kNumbers = 51; // PRN mask numbers a message can name
static_assert(mt06::kSatellites == kNumbers && mt07::kSatellites == kNumbers);
// Corrections and indicators of a fast-correction block follow each other at these steps.
constexpr int kPrcBits = 12, kUdreiBits = 4;
static_assert(mt02_05::PRC(1).start - mt02_05::PRC(0).start == kPrcBits && mt24::PRC(1).start - mt24::PRC(0).start == kPrcBits);
static_assert(mt02_05::UDREI(1).start - mt02_05::UDREI(0).start == kUdreiBits &&
              mt24::UDREI(1).start - mt24::UDREI(0).start == kUdreiBits);

} // namespace

std::pair<std::string, int> SlotSystem(int slot)
{
    if (slot <= 37)
        return {"GPS", slot};
    if (slot <= 61)
        return {"GLONASS", slot - 37};
    if (slot <= 119)
        return {"Future GNSS", slot};
    if (slot <= 138)
        return {"GEO", slot};
    return {"Future", slot};
}

void SignalOverview::Reset()
{
    ++revision_;
    started_ = false;
    first_ = now_ = 0;
    feed_ = {};
    for (auto &t : types_)
        t.reset();
    parityFailures_ = 0;
    satellites_.fill({});
    mt7_ = false;
    latency_ = 0;
    mt10_.reset();
    for (auto *series : {&prc_, &udre_, &delay_, &give_, &rate_})
        series->Clear();
    watch_.Reset();
}

void SignalOverview::NoteMessage(double gpsSeconds, const TMOPSMsg &m, int shownType, bool live, BroadcastMode mode)
{
    if (!PlaceableTime(gpsSeconds))
        return;
    ++revision_;
    const int type = m.BitField(9, 6) & 0x3F;
    if (!started_ || (live && gpsSeconds < now_)) {
        started_ = true;
        first_ = gpsSeconds;
        now_ = gpsSeconds;
    }
    now_ = std::max(now_, gpsSeconds);
    if (live)
        feed_.NoteTime(gpsSeconds);
    feed_.NoteMode(mode, gpsSeconds);

    const bool parity = ParityHolds(m); // the message's own bits, not the trailer
    if (!parity)
        ++parityFailures_;
    auto &stats = types_[static_cast<std::size_t>(type)];
    if (!stats)
        stats = std::make_unique<TypeStatistics>();
    stats->Note(gpsSeconds, parity);
    rate_.Add(type, gpsSeconds, stats->PerMinute(now_, Observed()));

    if (watching_)
        watch_.Begin(gpsSeconds, type, live, parity, mode);
    Read(shownType, m, gpsSeconds);
}

void SignalOverview::Read(int shownType, const TMOPSMsg &m, double time)
{
    const HandledType *row = FindHandledType(shownType);
    if (!row)
        return;
    switch (row->overview) {
    case OverviewReading::FastCorrections:
        if (watching_)
            watch_.NoteIodf(shownType, IntValue(m, mt02_05::kIODF));
        // Type 2 from mask number 1 on, type 3 from 14 on, and so on.
        NoteFast(m, (shownType - 2) * mt02_05::kCorrections + 1, mt02_05::kCorrections, mt02_05::kPRC0,
                 mt02_05::kUDREI0, IntValue(m, mt02_05::kIODP), time);
        return;
    case OverviewReading::Integrity:
        for (int n = 1; n <= kNumbers; ++n)
            if (SatelliteState *s = Slot(n)) {
                s->udrei = static_cast<int>(RawValue(m, mt06::UDREI(n)));
                s->udreiTime = time;
                udre_.Add(LookupPRN(mask_, n), time, kUDRE[static_cast<std::size_t>(s->udrei)]);
                if (watching_)
                    watch_.NoteUdrei(LookupPRN(mask_, n), s->udrei);
            }
        if (watching_)
            for (int j = 0; j < 4; ++j) // IODF2 to IODF5 lead the message
                watch_.NoteIodf(62 + j, IntValue(m, mt06::kFields[static_cast<std::size_t>(j)].field));
        return;
    case OverviewReading::Degradation:
        mt7_ = true;
        latency_ = IntValue(m, mt07::kSystemLatency);
        for (int n = 1; n <= kNumbers; ++n)
            if (SatelliteState *s = Slot(n)) {
                s->degradation = true;
                s->indicator = static_cast<int>(RawValue(m, mt07::Indicator(n)));
                if (watching_)
                    watch_.NoteIndicator(LookupPRN(mask_, n), s->indicator);
            }
        return;
    case OverviewReading::DegradationParameters: {
        TDegradationFactors factors;
        DecodeListed<mt10::kFields>(m, factors);
        mt10_ = factors;
        return;
    }
    case OverviewReading::MixedCorrections: {
        const int block = IntValue(m, mt24::kBlockID);
        if (watching_)
            watch_.NoteIodf(24, IntValue(m, mt24::kIODF));
        NoteFast(m, mt02_05::kCorrections * block + 1, mt24::kFastSatellites, mt24::kPRC0, mt24::kUDREI0,
                 IntValue(m, mt24::kIODP), time);
        NoteLongTermHalf(m, mt24::kVelocityCode.start);
        return;
    }
    case OverviewReading::LongTerm:
        NoteLongTermHalf(m, mt25::VelocityCode(0).start);
        NoteLongTermHalf(m, mt25::VelocityCode(1).start);
        return;
    case OverviewReading::GridDelays:
        NoteGridBlock(m, time);
        return;
    case OverviewReading::Covariance:
        for (int s = 0; s < 2; ++s)
            if (const int n = IntValue(m, mt28::kSatellite[0].field.At(mt28::kSecondSatellite * s)))
                if (SatelliteState *state = Slot(n)) {
                    state->covariance = true;
                    if (watching_)
                        watch_.NoteCovariance(LookupPRN(mask_, n));
                }
        return;
    // The masks and the service message are read by the watch alone, from what their windows'
    // decoders have just written.
    case OverviewReading::Mask:
        if (watching_)
            watch_.NoteMask();
        return;
    case OverviewReading::GridMask:
        if (watching_)
            watch_.NoteGridMask(IntValue(m, mt18::kBand), IntValue(m, mt18::kIODI));
        return;
    case OverviewReading::Service:
        if (watching_)
            watch_.NoteService(IntValue(m, mt27::kIODS));
        return;
    case OverviewReading::None:
        return;
    }
}

SatelliteState *SignalOverview::Slot(int number)
{
    if (!mask_.received || number < 1 || number > kNumbers)
        return nullptr;
    const int slot = LookupPRN(mask_, number);
    return slot == 0 ? nullptr : &satellites_[static_cast<std::size_t>(slot)];
}

void SignalOverview::NoteFast(const TMOPSMsg &m, int firstNumber, int count, const Field &prc0, const Field &udrei0,
                              int iodp, double time)
{
    if (!mask_.received)
        return;
    for (int i = 0; i < count && firstNumber + i <= kNumbers; ++i) {
        const int slot = LookupPRN(mask_, firstNumber + i);
        if (slot == 0)
            continue;
        SatelliteState &s = satellites_[static_cast<std::size_t>(slot)];
        s.fastCorrection = true;
        s.prc = Value(m, prc0.At(kPrcBits * i));
        s.fastTime = time;
        s.fastIodp = iodp & 3;
        s.udrei = static_cast<int>(RawValue(m, udrei0.At(kUdreiBits * i)));
        s.udreiTime = time;
        // Beside "not monitored" and "do not use" the correction field holds no correction.
        if (s.udrei < 14)
            prc_.Add(slot, time, s.prc);
        udre_.Add(slot, time, kUDRE[static_cast<std::size_t>(s.udrei)]);
        if (watching_)
            watch_.NoteCorrection(slot, s.udrei);
    }
}

void SignalOverview::NoteLongTermHalf(const TMOPSMsg &m, int code)
{
    using namespace long_term_half;
    if (m.BitField(code, 1) == 1) {
        NoteLongTermSatellite(IntValue(m, kMask1.At(code)), IntValue(m, kVel1[0].field.At(code)));
        return;
    }
    for (int satellite = 0; satellite < 2; ++satellite) {
        const int at = code + kSecondSatellite * satellite;
        NoteLongTermSatellite(IntValue(m, kMask0.At(at)), IntValue(m, kVel0[0].field.At(at)));
    }
}

void SignalOverview::NoteLongTermSatellite(int number, int iode)
{
    SatelliteState *s = Slot(number);
    if (!s)
        return;
    s->longTerm = true;
    if (watching_)
        watch_.NoteLongTerm(LookupPRN(mask_, number), iode);
}

// The values the grid window's decoder has just written for the block's points.
void SignalOverview::NoteGridBlock(const TMOPSMsg &m, double time)
{
    const int band = IntValue(m, mt26::kBand);
    if (band < 0 || band >= kBandCount)
        return;
    const int block = IntValue(m, mt26::kBlockID);
    const auto first = static_cast<std::size_t>(BandFirstEntry(band));
    int masked = 0, n = 0;
    for (std::size_t i = 0; i < static_cast<std::size_t>(BandSize(band)) && n < mt26::kPoints; ++i) {
        const IGPEntry &e = grid_.entry[first + i];
        if ((e.InMask & 0xFF) == 0 || masked++ < mt26::kPoints * block)
            continue;
        delay_.Add(static_cast<int>(first + i), time, e.VerticalDelay);
        give_.Add(static_cast<int>(first + i), time, e.GIVE);
        if (watching_)
            watch_.NoteGridPoint(static_cast<int>(first + i));
        ++n;
    }
}

const TypeStatistics *SignalOverview::Type(int type) const
{
    return type >= 0 && type < 64 ? types_[static_cast<std::size_t>(type)].get() : nullptr;
}

std::vector<int> SignalOverview::SeenTypes() const
{
    std::vector<int> seen;
    for (int t = 0; t < 64; ++t)
        if (types_[static_cast<std::size_t>(t)])
            seen.push_back(t);
    return seen;
}

std::vector<SatelliteRow> SignalOverview::Satellites() const
{
    std::vector<SatelliteRow> rows;
    if (!mask_.received)
        return rows;
    const int iodp = mask_.currentIODP % kIodps;
    for (int slot = 1; slot <= kSlots; ++slot) {
        if (!mask_.mask[iodp][slot - 1])
            continue;
        SatelliteRow r;
        r.slot = slot;
        std::tie(r.system, r.prn) = SlotSystem(slot);
        r.state = satellites_[static_cast<std::size_t>(slot)];
        const SatelliteState &s = r.state;
        if (s.fastCorrection)
            r.fastAge = now_ - s.fastTime;
        if (s.udrei >= 0)
            r.udreiAge = now_ - s.udreiTime;
        r.udreiItem = watch_.Satellite(slot, Item::Udrei);
        r.longTermItem = watch_.Satellite(slot, Item::LongTerm);
        r.covarianceItem = watch_.Satellite(slot, Item::Covariance);
        if (s.degradation) {
            r.timeout = watch_.Satellite(slot, Item::FastCorrection).timeout;
            if (s.fastCorrection) {
                const double t = r.fastAge + latency_;
                r.degradation = kFastDegradation[static_cast<std::size_t>(s.indicator)].a * t * t / 2;
            }
        }
        r.verdict = Judge(s, iodp, {watch_.TestMode().on, watch_.Expired(slot)});
        rows.push_back(std::move(r));
    }
    return rows;
}

const HistorySeries *SignalOverview::Prc(int slot) const { return prc_.Find(slot); }
const HistorySeries *SignalOverview::Udre(int slot) const { return udre_.Find(slot); }
const HistorySeries *SignalOverview::VerticalDelay(int entry) const { return delay_.Find(entry); }
const HistorySeries *SignalOverview::Give(int entry) const { return give_.Find(entry); }
const HistorySeries *SignalOverview::Rate(int type) const { return rate_.Find(type); }
