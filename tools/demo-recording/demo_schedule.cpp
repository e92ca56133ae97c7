// A plausible broadcast: the PRN mask every minute, fast corrections every other second and
// the slower messages in rotation between them, values drifting smoothly over the hour.
#include "demo_schedule.h"

#include "mops/mt18.h"
#include "output/log_record.h"
#include "sbas_encoder.h"

#include <algorithm>
#include <cmath>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <set>

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kIodp = 2;
constexpr int kIodi = 1;

// GPS PRNs 1 to 32 but 4, and three GEOs.
std::vector<int> MaskedSlots()
{
    std::vector<int> slots;
    for (int prn = 1; prn <= 32; ++prn)
        if (prn != 4)
            slots.push_back(prn);
    for (int geo : {120, 123, 126})
        slots.push_back(geo);
    return slots;
}

class Broadcast {
public:
    explicit Broadcast(const DemoOptions &o) : options_(o), slots_(MaskedSlots()) { BuildGridMasks(); }

    std::vector<std::string> Run()
    {
        std::vector<std::string> records;
        for (int t = 0; t < options_.seconds; ++t) {
            const SbasFrame frame = MessageAt(t);
            SbasFrame copy = frame;
            const std::string hex = copy.Hex(t);
            const int type = static_cast<int>(copy.Get(9, 6));
            std::string record = FormatLogRecord(options_.geoPrn, type, options_.week, options_.startSecondOfWeek + t, hex);
            record.erase(record.size() - 2); // the caller chooses the line end
            records.push_back(record);
        }
        return records;
    }

private:
    SbasFrame MessageAt(int t)
    {
        const int s = t % 60;
        if (s == 0)
            return sbas::PrnMask(std::set<int>(slots_.begin(), slots_.end()), kIodp);
        if (s % 2 == 1)
            return FastCorrections(t, 2 + (t / 2) % 3);
        if (s == 30 && (t / 60) % 15 == 0) {
            sbas::FastCorrectionsMsg empty; // a "do not use" test message with no corrections
            empty.type = 0;
            return sbas::FastCorrections(empty);
        }
        if (slow_.empty())
            RefillSlowQueue();
        auto next = slow_.front();
        slow_.pop_front();
        return next(t);
    }

    double Prc(int k, int t) const
    {
        const double period = 600.0 + 37.0 * k;
        return 18.0 * std::sin(2 * kPi * t / period + k) + 0.02 * k * t / 60.0 - 3.0 * (k % 3);
    }

    int Udrei(int k, int t) const
    {
        if (slots_[k] == 126)
            return 15; // the broadcasting GEO's own ranging is not to be used
        if (k == 7 && t >= 1200 && t < 1500)
            return 14; // a satellite out of monitoring for five minutes
        return 3 + (k + t / 900) % 5;
    }

    SbasFrame FastCorrections(int t, int type)
    {
        sbas::FastCorrectionsMsg m;
        m.type = type;
        m.iodf = (t / 12) % 3;
        m.iodp = kIodp;
        for (int i = 0; i < 13; ++i) {
            const int k = (type - 2) * 13 + i;
            if (k >= static_cast<int>(slots_.size()))
                break;
            m.prc[i] = std::round(Prc(k, t) * 8) / 8;
            m.udrei[i] = Udrei(k, t);
        }
        return sbas::FastCorrections(m);
    }

    // Vertical delay of a grid point: a daytime bulge following the sun, thinning to the poles.
    static double Delay(int lat, int lon, int t, double startSecondOfWeek)
    {
        const double hour = std::fmod((startSecondOfWeek + t) / 3600.0, 24.0);
        const double sunLon = 180.0 - 15.0 * hour;
        const double c = std::cos(lat * kPi / 180);
        return 1.0 + 9.0 * c * c * (1 + std::cos((lon - sunLon) * kPi / 180)) / 2;
    }

    void BuildGridMasks()
    {
        // The grid's own order, as the receiver lays it out.
        auto grid = std::make_unique<IGPBuffer>();
        TMT18 layout(*grid);
        for (const int band : {3, 4, 5, 9}) {
            sbas::IgpMaskMsg m;
            m.bandCount = 4;
            m.band = band;
            m.iodi = kIodi;
            for (int i = 0; i < BandSize(band); ++i) {
                const IGPEntry &e = grid->entry[BandFirstEntry(band) + i];
                const bool covered = band == 9 ? (e.Longitude >= -60 && e.Longitude <= 55)
                                               : (e.Latitude >= -40 && e.Latitude <= 75);
                if (covered) {
                    m.points.insert(i);
                    masked_[band].push_back({e.Latitude, e.Longitude});
                }
            }
            masks_.push_back(m);
        }
    }

    void RefillSlowQueue()
    {
        using Make = std::function<SbasFrame(int)>;
        const Make fixed[] = {
            [this](int t) { return Integrity(t); },
            [this](int t) { return Degradation(t); },
            [this](int t) { return Navigation(t); },
            [](int) { return DegradationParameters(); },
            [this](int t) { return NetworkTime(t); },
            [this](int t) { return Almanacs(t); },
            [](int) { return ServiceMessage(); },
            [this](int t) { return Mixed(t); },
            [](int) { return sbas::NullMessage(); },
        };
        for (const auto &m : fixed)
            slow_.push_back(m);
        for (const auto &mask : masks_)
            slow_.push_back([mask](int) { return sbas::IgpMask(mask); });
        for (const auto &[band, points] : masked_)
            for (int block = 0; block * 15 < static_cast<int>(points.size()); ++block)
                slow_.push_back([this, band = band, block](int t) { return IonoDelays(band, block, t); });
        for (int first = 0; first < static_cast<int>(slots_.size()); first += 4)
            slow_.push_back([this, first](int t) { return LongTerm(first, t); });
        for (int first = 0; first < static_cast<int>(slots_.size()); first += 2)
            slow_.push_back([this, first](int) { return Covariance(first); });
    }

    SbasFrame Integrity(int t) const
    {
        TIntegrityInformation d;
        d.IODF2 = d.IODF3 = d.IODF4 = d.IODF5 = (t / 12) % 3;
        for (std::size_t k = 0; k < slots_.size(); ++k)
            d.Slot[k].UDREI = Udrei(static_cast<int>(k), t);
        for (std::size_t k = slots_.size(); k < 51; ++k)
            d.Slot[k].UDREI = 15;
        return sbas::Integrity(d);
    }

    SbasFrame Degradation(int) const
    {
        TFastCorDegFactors d;
        d.SystemLatency = 6;
        d.IODP = kIodp;
        for (std::size_t k = 0; k < slots_.size(); ++k)
            d.DegradationIndicator[k] = 4 + static_cast<int>(k % 8);
        return sbas::DegradationFactors(d);
    }

    SbasFrame Navigation(int t) const
    {
        // A GEO over 25 degrees east, drifting gently north and south.
        const double r = 42164170.0, lon = 25.0 * kPi / 180;
        const double phase = 2 * kPi * (options_.startSecondOfWeek + t) / 86164.0;
        TGEONavigation d;
        d.TODApplicability = static_cast<int>(std::fmod(options_.startSecondOfWeek + t, 86400) / 16) * 16;
        d.URA = 2;
        d.Xg = std::round(r * std::cos(lon) / 0.08) * 0.08;
        d.Yg = std::round(r * std::sin(lon) / 0.08) * 0.08;
        d.Zg = std::round(120000.0 * std::sin(phase) / 0.4) * 0.4;
        d.Zg_roc = std::round(120000.0 * 2 * kPi / 86164.0 * std::cos(phase) / 0.004) * 0.004;
        d.Xg_roc = 0.125;
        d.Yg_roc = -0.0625;
        d.Xg_acc = 0.0000125;
        d.Zg_acc = -0.0000625;
        d.Af0 = 1500 * std::ldexp(1.0, -31);
        d.Af1 = -3 * std::ldexp(1.0, -40);
        return sbas::GeoNavigation(d);
    }

    static SbasFrame DegradationParameters()
    {
        return sbas::DegradationParameters({0.2f, 0.016f, 0.0005f, 120, 0.05f, 120, 0.02f, 0.0005f, 120, 7.5f, 0.04f,
                                            300, 0.00005f, 0, 1, 0.5f});
    }

    SbasFrame NetworkTime(int t) const
    {
        TWAASNetworkTime d;
        d.A1_WNT = static_cast<float>(-12 * std::ldexp(1.0, -50));
        d.A0_WNT = static_cast<float>(35 * std::ldexp(1.0, -30));
        d.t0t = 61440;
        d.WNt = options_.week % 256;
        d.DeltaTLS = 18;
        d.WNLSF = 137;
        d.DN = 7;
        d.DeltaTLSF = 18;
        d.UTCStandardId = 2;
        d.GPSTOW = static_cast<int32_t>(options_.startSecondOfWeek + t);
        d.GPSWeekNo = options_.week % 1024;
        return sbas::NetworkTime(d);
    }

    SbasFrame Almanacs(int t) const
    {
        sbas::AlmanacMsg m;
        const int prns[] = {120, 123, 126};
        const double lons[] = {-15.5, 5.0, 25.0};
        for (int k = 0; k < 3; ++k) {
            const double lon = lons[k] * kPi / 180;
            TGEOAlmanac &g = m.geo[k];
            g.PRN = prns[k];
            g.Xg = static_cast<int32_t>(std::lround(42164170 * std::cos(lon) / 2600) * 2600);
            g.Yg = static_cast<int32_t>(std::lround(42164170 * std::sin(lon) / 2600) * 2600);
            g.Zg = 0;
            g.Ranging = k != 1;
            g.Corrections = g.Integrity = true;
            m.providerId[k] = 1;
        }
        m.tod = static_cast<int32_t>(std::fmod(options_.startSecondOfWeek + t, 86400) / 64) * 64;
        return sbas::GeoAlmanacs(m);
    }

    static SbasFrame ServiceMessage()
    {
        sbas::ServiceMsg m;
        m.iods = 1;
        m.numberOfMessages = 1;
        m.deltaInside = 0;
        m.deltaOutside = 9;
        m.regions = {{70, -30, 30, 40, 1}, {40, 40, 30, 60, 0}};
        return sbas::Service(m);
    }

    SbasFrame Mixed(int t) const
    {
        sbas::MixedMsg m;
        for (int s = 0; s < 6; ++s) {
            m.prc[s] = std::round(Prc(s, t) * 8) / 8;
            m.udrei[s] = Udrei(s, t);
        }
        m.iodp = kIodp;
        m.longTerm.maskNumber = {1, 2};
        m.longTerm.values[0] = LongTermValues(0, t);
        m.longTerm.values[1] = LongTermValues(1, t);
        m.longTerm.iodp = kIodp;
        return sbas::MixedCorrections(m);
    }

    static LongTermVel1 LongTermValues(int k, int t)
    {
        LongTermVel1 v;
        v.IssueOfData = (t / 240 + k) % 256;
        v.DeltaX = std::round(4.0 * std::sin(k + t / 700.0) * 8) / 8;
        v.DeltaY = std::round(-3.0 * std::cos(k + t / 900.0) * 8) / 8;
        v.DeltaZ = std::round(2.0 * std::sin(2 * k + t / 500.0) * 8) / 8;
        v.DeltaAf0 = std::round(40 * std::sin(k + t / 1000.0)) * std::ldexp(1.0, -31);
        return v;
    }

    SbasFrame LongTerm(int first, int t) const
    {
        sbas::LongTermHalf halves[2];
        for (int h = 0; h < 2; ++h) {
            halves[h].iodp = kIodp;
            for (int j = 0; j < 2; ++j) {
                const int k = first + 2 * h + j;
                if (k < static_cast<int>(slots_.size())) {
                    halves[h].maskNumber[j] = k + 1;
                    halves[h].values[j] = LongTermValues(k, t);
                }
            }
        }
        return sbas::LongTermCorrections(halves[0], halves[1]);
    }

    SbasFrame IonoDelays(int band, int block, int t) const
    {
        const auto &points = masked_.at(band);
        sbas::IonoDelayMsg m;
        m.band = band;
        m.block = block;
        m.iodi = kIodi;
        for (int n = 0; n < 15; ++n) {
            const std::size_t p = static_cast<std::size_t>(block) * 15 + static_cast<std::size_t>(n);
            if (p >= points.size())
                break;
            const double d = Delay(points[p].first, points[p].second, t, options_.startSecondOfWeek);
            m.delay[n] = std::round(d * 8) / 8;
            m.givei[n] = std::min(13, 4 + static_cast<int>(d / 1.5));
        }
        return sbas::IonosphericDelays(m);
    }

    SbasFrame Covariance(int first) const
    {
        std::array<TClockEphCovMatrix, 2> sat{};
        for (int j = 0; j < 2; ++j) {
            const int k = first + j;
            if (k >= static_cast<int>(slots_.size()))
                break;
            sat[j] = {k + 1, 0, 3 + k % 3, 40 + k, 35 + k, 60 + k, 20, -(k % 7), k % 5, 3, -2, 1, -(k % 4)};
        }
        return sbas::Covariance(sat, kIodp);
    }

    DemoOptions options_;
    std::vector<int> slots_;
    std::vector<sbas::IgpMaskMsg> masks_;
    std::map<int, std::vector<std::pair<int, int>>> masked_; // band -> (lat, lon) of masked points
    std::deque<std::function<SbasFrame(int)>> slow_;
};

} // namespace

std::vector<std::string> DemoRecording(const DemoOptions &options)
{
    return Broadcast(options).Run();
}
