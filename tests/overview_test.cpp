// The signal overview: verdicts, time-outs, feed gaps, parity, rates and history bounds, all from
// messages built with the encoder and the GPS times given with them.
#include "mops/integrity_tables.h"
#include "mops/mops_msg.h"
#include "mops/mt18.h"
#include "mops/mt26.h"
#include "overview/signal_overview.h"
#include "sbas_encoder.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <limits>
#include <memory>

namespace {

constexpr double kWeek = 2287 * 604800.0; // any week: only differences count

// A message as the intake hands it on: its bytes, shown as its own type (no type 0 here).
void Note(SignalOverview &overview, double gpsSeconds, const std::string &text, bool live, BroadcastMode mode)
{
    const TMOPSMsg message(text);
    overview.NoteMessage(gpsSeconds, message, message.BitField(9, 6), live, mode);
}

// A mask buffer as the type 1 handling leaves it: slots in mask-number order under one IODP.
struct Mask {
    explicit Mask(std::initializer_list<int> slots, int iodp = 0)
    {
        buffer = std::make_unique<PRNMaskBuffer>();
        *buffer = {};
        buffer->received = 1;
        buffer->currentIODP = static_cast<uint16_t>(iodp);
        int n = 0;
        for (const int slot : slots) {
            buffer->mask[iodp][slot - 1] = 1;
            buffer->slotList[iodp][n++] = static_cast<uint16_t>(slot);
        }
    }
    std::unique_ptr<PRNMaskBuffer> buffer;
};

struct Fixture {
    explicit Fixture(std::initializer_list<int> slots, int iodp = 0) : mask(slots, iodp)
    {
        grid = std::make_unique<IGPBuffer>();
        *grid = {};
        overview = std::make_unique<SignalOverview>(*mask.buffer, *grid);
    }
    void Send(double tow, SbasFrame frame, bool live = true)
    {
        Note(*overview, kWeek + tow, frame.Hex(), live, BroadcastMode::Mode02);
    }
    void Send(double tow, int type = 63) { Send(tow, SbasFrame(type)); }
    SatelliteRow Row(int slot) const
    {
        for (const SatelliteRow &r : overview->Satellites())
            if (r.slot == slot)
                return r;
        ADD_FAILURE() << "slot " << slot << " not listed";
        return {};
    }
    Mask mask;
    std::unique_ptr<IGPBuffer> grid;
    std::unique_ptr<SignalOverview> overview;
};

SbasFrame Fast(int udrei, int iodp = 0, double prc = 1.5)
{
    sbas::FastCorrectionsMsg m;
    m.type = 2;
    m.iodp = iodp;
    m.prc.fill(prc);
    m.udrei.fill(udrei);
    return sbas::FastCorrections(m);
}

SbasFrame Degradation(int indicator, int latency = 0)
{
    TFastCorDegFactors d;
    d.SystemLatency = latency;
    d.DegradationIndicator.fill(indicator);
    return sbas::DegradationFactors(d);
}

SbasFrame LongTerm(int maskNumber)
{
    sbas::LongTermHalf half;
    half.velocityCode = 1;
    half.maskNumber = {maskNumber, 0};
    return sbas::LongTermCorrections(half, half);
}

TEST(SatelliteVerdict, EachRuleGivesItsReason)
{
    SatelliteState good;
    good.fastCorrection = true;
    good.fastTime = 100;
    good.udrei = 5;
    good.degradation = true;
    good.indicator = 14;
    good.longTerm = true;
    const SatelliteWatchWord quiet;
    const SatelliteWatchWord expired{false, "long-term correction expired 12 s ago (time-out 240 s)"};
    const SatelliteWatchWord testMode{true, ""};
    struct Case {
        const char *name;
        void (*spoil)(SatelliteState &);
        const SatelliteWatchWord &watch;
        const char *reason; // "" for usable
    } const cases[] = {
        {"all present", [](SatelliteState &) {}, quiet, ""},
        {"no fast", [](SatelliteState &s) { s.fastCorrection = false; }, quiet, "no fast correction"},
        {"UDREI 15", [](SatelliteState &s) { s.udrei = 15; }, quiet, "UDREI 15: do not use"},
        {"UDREI 14", [](SatelliteState &s) { s.udrei = 14; }, quiet, "not monitored"},
        {"IODP", [](SatelliteState &s) { s.fastIodp = 2; }, quiet, "IODP of the corrections differs from the mask"},
        {"no type 7", [](SatelliteState &s) { s.degradation = false; }, quiet, "no degradation factor (type 7)"},
        {"an item expired", [](SatelliteState &) {}, expired, "long-term correction expired 12 s ago (time-out 240 s)"},
        {"no long-term", [](SatelliteState &s) { s.longTerm = false; }, quiet, "no long-term correction"},
        // Do-not-use outranks a stale correction: the worse news is given.
        {"UDREI 15 and expired", [](SatelliteState &s) { s.udrei = 15; }, expired, "UDREI 15: do not use"},
        // Type 0 outranks everything: no satellite of a GEO in test mode is for safety use.
        {"test mode", [](SatelliteState &) {}, testMode, "type 0: not for safety use"},
        {"test mode and no fast", [](SatelliteState &s) { s.fastCorrection = false; }, testMode,
         "type 0: not for safety use"},
    };
    for (const Case &c : cases) {
        SatelliteState s = good;
        c.spoil(s);
        const SatelliteVerdict v = Judge(s, 0, c.watch);
        EXPECT_EQ(v.usable, std::string(c.reason).empty()) << c.name;
        EXPECT_EQ(v.reason, c.reason) << c.name;
    }
}

SbasFrame Integrity(int udrei)
{
    TIntegrityInformation integrity{};
    for (auto &s : integrity.Slot)
        s.UDREI = udrei;
    return sbas::Integrity(integrity);
}

TEST(SignalOverview, TimeOutFollowsTheType7Indicator)
{
    // Precision-approach time-outs of the indicators, from the type 7 table.
    struct Case {
        int indicator, timeout;
    } const cases[] = {{0, 120}, {1, 120}, {2, 102}, {5, 78}, {9, 30}, {11, 18}, {14, 12}, {15, 12}};
    for (const Case &c : cases) {
        Fixture f({3, 7});
        f.Send(0, LongTerm(1));
        f.Send(1, LongTerm(2));
        f.Send(2, Degradation(c.indicator));
        f.Send(10, Fast(3));
        // Type 6 keeps the UDREIs fresh (their own time-out is 12 s) while the corrections age.
        for (int t = 20; t < 10 + c.timeout; t += 10)
            f.Send(t, Integrity(3));
        f.Send(10 + c.timeout, Integrity(3));
        SatelliteRow r = f.Row(7);
        EXPECT_EQ(r.timeout, c.timeout) << c.indicator;
        EXPECT_TRUE(r.verdict.usable) << c.indicator << ": " << r.verdict.reason;
        f.Send(11 + c.timeout, Integrity(3));
        r = f.Row(7);
        EXPECT_FALSE(r.verdict.usable) << c.indicator;
        EXPECT_EQ(r.verdict.reason, "fast correction expired 1 s ago (time-out " + std::to_string(c.timeout) + " s)");
        EXPECT_DOUBLE_EQ(r.fastAge, c.timeout + 1);
    }
}

TEST(SignalOverview, TypeZeroMakesEverySatelliteNotUsableForAMinute)
{
    Fixture f({3, 7});
    f.Send(0, LongTerm(1));
    f.Send(1, LongTerm(2));
    f.Send(2, Degradation(0));
    f.Send(3, Fast(3));
    ASSERT_TRUE(f.Row(3).verdict.usable) << f.Row(3).verdict.reason;

    // A type 0 with corrections is read as the type 2 it carries; its own type says test mode.
    sbas::FastCorrectionsMsg zero;
    zero.type = 0;
    zero.udrei.fill(3);
    const TMOPSMsg message(sbas::FastCorrections(zero).Hex());
    f.overview->NoteMessage(kWeek + 4, message, 2, true, BroadcastMode::Mode02);
    for (const int slot : {3, 7}) {
        EXPECT_FALSE(f.Row(slot).verdict.usable) << slot;
        EXPECT_EQ(f.Row(slot).verdict.reason, "type 0: not for safety use") << slot;
    }
    EXPECT_STREQ(f.overview->Watch().TestMode().Name(), "Mode 0/0") << "a type 2 of its own came a second before";
    f.Send(64, Fast(3)); // a minute after the type 0: still in test mode
    EXPECT_EQ(f.Row(3).verdict.reason, "type 0: not for safety use");
    f.Send(65, Fast(3));
    EXPECT_TRUE(f.Row(3).verdict.usable) << f.Row(3).verdict.reason;
}

TEST(SignalOverview, MessagesFillTheSatelliteRows)
{
    Fixture f({2, 40, 125}, 1);
    f.Send(0, Fast(15, 1, -2.5));
    SatelliteRow r = f.Row(40);
    EXPECT_EQ(r.system, "GLONASS");
    EXPECT_EQ(r.prn, 3);
    EXPECT_DOUBLE_EQ(r.state.prc, -2.5);
    EXPECT_EQ(r.verdict.reason, "UDREI 15: do not use");

    f.Send(1, Fast(4, 2));
    EXPECT_EQ(f.Row(2).verdict.reason, "IODP of the corrections differs from the mask");
    f.Send(2, Fast(4, 1));
    EXPECT_EQ(f.Row(2).verdict.reason, "no degradation factor (type 7)");
    f.Send(3, Degradation(0, 2));
    EXPECT_EQ(f.Row(2).verdict.reason, "no long-term correction");
    f.Send(4, LongTerm(1));
    f.Send(7);
    r = f.Row(2);
    EXPECT_TRUE(r.verdict.usable) << r.verdict.reason;
    EXPECT_FALSE(r.state.covariance);
    EXPECT_EQ(f.Row(125).system, "GEO");
    EXPECT_EQ(f.Row(125).prn, 125);

    // Type 6 replaces the indicator without a new correction.
    TIntegrityInformation integrity{};
    for (auto &s : integrity.Slot)
        s.UDREI = 14;
    f.Send(8, sbas::Integrity(integrity));
    EXPECT_EQ(f.Row(2).verdict.reason, "not monitored");
    EXPECT_DOUBLE_EQ(f.Row(2).fastAge, 6);
    EXPECT_DOUBLE_EQ(f.Row(2).udreiAge, 0);

    std::array<TClockEphCovMatrix, 2> cov{};
    cov[0].MaskNumber = 3;
    f.Send(9, sbas::Covariance(cov, 1));
    EXPECT_TRUE(f.Row(125).state.covariance);
    EXPECT_FALSE(f.Row(2).state.covariance);
}

TEST(SignalOverview, FastCorrectionsOfType24AndBlocksOfLaterTypes)
{
    std::initializer_list<int> slots = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17};
    Fixture f(slots);
    sbas::MixedMsg mixed;
    mixed.prc.fill(0.75);
    mixed.udrei.fill(2);
    mixed.blockId = 1; // mask numbers 14..19
    mixed.longTerm.velocityCode = 0;
    mixed.longTerm.maskNumber = {15, 16};
    f.Send(0, sbas::MixedCorrections(mixed));
    EXPECT_FALSE(f.Row(13).state.fastCorrection);
    EXPECT_DOUBLE_EQ(f.Row(14).state.prc, 0.75);
    EXPECT_DOUBLE_EQ(f.Row(17).state.prc, 0.75);
    EXPECT_TRUE(f.Row(15).state.longTerm);
    EXPECT_TRUE(f.Row(16).state.longTerm);
    EXPECT_FALSE(f.Row(14).state.longTerm);

    sbas::FastCorrectionsMsg m;
    m.type = 3; // mask numbers 14..26
    m.prc.fill(-1);
    f.Send(1, sbas::FastCorrections(m));
    EXPECT_DOUBLE_EQ(f.Row(14).state.prc, -1);
    EXPECT_FALSE(f.Row(1).state.fastCorrection);
}

TEST(FeedStatistics, GapsAndDuplicatesFromTimesOfWeek)
{
    struct Case {
        const char *name;
        std::vector<double> times;
        int64_t missing, gaps, duplicates, back;
    } const cases[] = {
        {"steady", {10, 11, 12, 13}, 0, 0, 0, 0},
        {"one gap", {10, 11, 15, 16}, 3, 1, 0, 0},
        {"two gaps", {10, 12, 13, 20}, 7, 2, 0, 0},
        {"duplicate", {10, 11, 11, 12}, 0, 0, 1, 0},
        {"back in time", {10, 11, 5, 6}, 0, 0, 0, 1},
        {"week roll-over", {604799, 604800, 604801}, 0, 0, 0, 0},
    };
    for (const Case &c : cases) {
        FeedStatistics feed;
        for (const double t : c.times)
            feed.NoteTime(t);
        EXPECT_EQ(feed.MissingSeconds(), c.missing) << c.name;
        EXPECT_EQ(feed.Gaps(), c.gaps) << c.name;
        EXPECT_EQ(feed.Duplicates(), c.duplicates) << c.name;
        EXPECT_EQ(feed.StepsBack(), c.back) << c.name;
    }
}

TEST(SignalOverview, OnlyTheLiveStreamCountsForGaps)
{
    Fixture f({1});
    // Answers to the initial requests, one per type, come in any order.
    f.Send(300, SbasFrame(63), false);
    f.Send(20, SbasFrame(9), false);
    f.Send(250, SbasFrame(10), false);
    for (const double t : {400.0, 401.0, 405.0, 405.0})
        f.Send(t);
    f.overview->NoteDuplicate();
    f.overview->NoteRejected(RejectKind::OverLong);
    f.overview->NoteRejected(RejectKind::Pardo);
    f.overview->NoteRejected(RejectKind::Pardo);
    const FeedStatistics &feed = f.overview->Feed();
    EXPECT_EQ(feed.MissingSeconds(), 3);
    EXPECT_EQ(feed.Duplicates(), 2);
    EXPECT_EQ(feed.OverLong(), 1);
    EXPECT_EQ(feed.PardoErrors(), 2);
    EXPECT_EQ(feed.Mode(), BroadcastMode::Mode02);
    EXPECT_DOUBLE_EQ(feed.ModeSince(), kWeek + 300);
    EXPECT_EQ(f.overview->Type(63)->Count(), 5);
    EXPECT_DOUBLE_EQ(f.overview->Type(63)->LongestGap(), 100);
    EXPECT_EQ(f.overview->SeenTypes(), (std::vector<int>{9, 10, 63}));
}

// Flips one bit of a 64-digit text, bits numbered from 1.
std::string Flipped(std::string hex, int bit)
{
    const auto i = static_cast<std::size_t>((bit - 1) / 4);
    const int value = std::stoi(hex.substr(i, 1), nullptr, 16) ^ (8 >> ((bit - 1) % 4));
    hex[i] = "0123456789ABCDEF"[value];
    return hex;
}

TEST(Parity, AFlippedBitFailsTheCheck)
{
    const std::string good = Fast(3, 1, 2.25).Hex();
    ASSERT_TRUE(ParityHolds(good));
    EXPECT_TRUE(ParityHolds(good + "XYZ")) << "a trailer after the message is not read";
    EXPECT_TRUE(ParityHolds(Flipped(good, 251))) << "the pad bits are not read";
    for (const int bit : {1, 8, 9, 14, 100, 226, 227, 240, 250})
        EXPECT_FALSE(ParityHolds(Flipped(good, bit))) << bit;
    EXPECT_FALSE(ParityHolds(good.substr(0, 62)));
    EXPECT_FALSE(ParityHolds(""));
    EXPECT_FALSE(ParityHolds("G" + good.substr(1)));
    // The same from the bytes the intake makes, or from the digits where the bytes cannot stand
    // for the text (lower case counts there, a trailer is not read).
    std::string lower = good;
    for (char &c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const struct {
        std::string text;
        bool holds;
    } messages[] = {
        {good, true}, {good + "000", true}, {good + "XYZ", true}, {lower, true}, {Flipped(good, 251), true},
        {Flipped(good, 1), false}, {Flipped(good, 226), false}, {Flipped(good, 227), false},
        {Flipped(good, 250), false}, {good.substr(0, 62), false}, {"G" + good.substr(1), false},
    };
    for (const auto &m : messages)
        EXPECT_EQ(ParityHolds(TMOPSMsg(m.text)), m.holds) << m.text;
    EXPECT_FALSE(ParityHolds(TMOPSMsg()));

    Fixture f({1});
    f.Send(0, Fast(3));
    Note(*f.overview, kWeek + 1, Flipped(good, 100), true, BroadcastMode::None);
    Note(*f.overview, kWeek + 2, Flipped(good, 240), true, BroadcastMode::None);
    f.Send(3, 9);
    EXPECT_EQ(f.overview->Type(2)->Count(), 3);
    EXPECT_EQ(f.overview->Type(2)->ParityFailures(), 2);
    EXPECT_EQ(f.overview->Type(9)->ParityFailures(), 0);
    EXPECT_EQ(f.overview->ParityFailures(), 2);
    // The message is still read as before.
    EXPECT_TRUE(f.Row(1).state.fastCorrection);
}

TEST(SignalOverview, TimesNoFeedCanCarryAreLeftOutAndTheClockGoesOn)
{
    const double kInfinity = std::numeric_limits<double>::infinity();
    const double made_up[] = {std::nan(""), kInfinity, -kInfinity, -1, -604800, -1.2768e61, 1.2768e61, 1e12};
    Fixture f({1});
    f.Send(10, 2);
    for (const double time : made_up)
        Note(*f.overview, time, SbasFrame(2).Hex(), true, BroadcastMode::Mode02);
    EXPECT_EQ(f.overview->Type(2)->Count(), 1);
    EXPECT_DOUBLE_EQ(f.overview->Now(), kWeek + 10);

    f.Send(11, 2);
    EXPECT_EQ(f.overview->Type(2)->Count(), 2);
    EXPECT_DOUBLE_EQ(f.overview->Type(2)->LongestGap(), 1);
    EXPECT_DOUBLE_EQ(f.overview->Observed(), 2);
    EXPECT_EQ(f.overview->Feed().StepsBack(), 0);
    EXPECT_NEAR(f.overview->Type(2)->PerMinute(f.overview->Now(), f.overview->Observed()), 60, 1e-9);
}

TEST(TypeStatistics, SecondsBeforeTimeZeroFallInTheirOwnBuckets)
{
    TypeStatistics s;
    for (int t = -5; t < 0; ++t)
        s.Note(t, true);
    EXPECT_NEAR(s.PerMinute(-1, 5), 60, 1e-9);
    EXPECT_NEAR(s.PerMinute(-3, 5), 36, 1e-9) << "three of the five seconds up to -3";
}

TEST(TypeStatistics, RatesOverASlidingWindow)
{
    struct Case {
        const char *name;
        int every, until; // one message every `every` s from 0 to `until`
        double now, observed, perMinute;
    } const cases[] = {
        {"every 6 s", 6, 1200, 1200, 1201, 10},
        {"every second, young feed", 1, 59, 59, 60, 60},
        {"every second, 2 s old", 1, 1, 1, 2, 60},
        {"silent for 10 minutes", 6, 1200, 1800, 1801, 0},
        {"silent for half the window", 6, 1200, 1500, 1501, 5},
        {"every minute", 60, 3600, 3600, 3601, 1},
    };
    for (const Case &c : cases) {
        TypeStatistics s;
        for (int t = 0; t <= c.until; t += c.every)
            s.Note(kWeek + t, true);
        EXPECT_NEAR(s.PerMinute(kWeek + c.now, c.observed), c.perMinute, 0.11) << c.name;
        EXPECT_DOUBLE_EQ(s.LongestGap(), c.every) << c.name;
    }
}

// The rate asked for again and again, as the rate history does at every message, while the
// window slides forward and back and messages keep arriving: each value as if counted afresh.
// At first messages arrive every 6 s from second 0 to 1200 (201 of them); the window holds
// the whole seconds (now - 600, now], with 600 s observed.
TEST(TypeStatistics, RateAskedAgainAndAgainAsTheWindowSlides)
{
    struct Step {
        const char *name;
        double arrives; // a message at this second first, or -1
        double now;
        double perMinute;
    } const steps[] = {
        {"606-1200: 100 messages", -1, 1200, 10},
        {"612-1200: 99", -1, 1206, 9.9},
        {"906-1200: 50", -1, 1500, 5},
        {"1200 alone", -1, 1799, 0.1},
        {"none", -1, 1800, 0},
        {"back: 906-1200 again", -1, 1500, 5},
        {"back: 612-1200 again", -1, 1206, 9.9},
        {"far on: none", -1, 3000, 0},
        {"far back: 606-1200", -1, 1201, 10},
        // A bucket holds one second: 1500 takes the bucket of 900, which leaves the count.
        {"one at 1500, not in the window, and 900 gone: 99", 1500, 1201, 9.9},
        {"906-1200 and 1500: 51", -1, 1500, 5.1},
        {"one at 1400, in the window", 1400, 1500, 5.2},
        {"one at 2100 takes the bucket of 1500, 600 s before it", 2100, 1500, 5.1},
    };
    TypeStatistics s;
    for (int t = 0; t <= 1200; t += 6)
        s.Note(kWeek + t, true);
    for (const Step &step : steps) {
        if (step.arrives >= 0)
            s.Note(kWeek + step.arrives, true);
        EXPECT_NEAR(s.PerMinute(kWeek + step.now, 600), step.perMinute, 1e-9) << step.name;
    }
}

TEST(HistorySeries, KeepsAnHourAndNoMore)
{
    HistorySeries s;
    for (int t = 0; t < 2 * 3600; ++t)
        s.Add(t, t);
    EXPECT_EQ(s.Points().size(), HistorySeries::kCapacity);
    EXPECT_DOUBLE_EQ(s.Points().back().time, 7199);
    EXPECT_GE(s.Points().front().time, 7199 - HistorySeries::kSpan);

    HistorySeries many(3600, 100); // many points in a short time: the count bounds
    for (int i = 0; i < 1000; ++i)
        many.Add(i * 0.01, i);
    EXPECT_EQ(many.Points().size(), 100u);
    EXPECT_DOUBLE_EQ(many.Points().front().value, 900);

    HistorySeries sparse; // one point an hour: the span bounds
    for (int h = 0; h < 5; ++h)
        sparse.Add(h * 3601.0, h);
    EXPECT_EQ(sparse.Points().size(), 1u);

    sparse.Add(10, 1); // back in time: a new series
    EXPECT_EQ(sparse.Points().size(), 1u);
    EXPECT_DOUBLE_EQ(sparse.Points().front().time, 10);
}

// Points wrap round the ring while old ones leave, then the ring grows while wrapped: the points
// stay in order. With a 10 s span, seconds 0-19 leave 9-19 (the ring never fills its first 16
// places); 30 points from 19.1 s to 22.0 s then grow it, and 22.0 - 10 keeps 12-19 and those 30.
TEST(HistorySeries, PointsStayInOrderAsTheRingWrapsAndGrows)
{
    HistorySeries s(10, 40);
    for (int t = 0; t < 20; ++t)
        s.Add(t, t);
    ASSERT_EQ(s.Points().size(), 11u);
    EXPECT_DOUBLE_EQ(s.Points().front().time, 9);
    for (int k = 1; k <= 30; ++k)
        s.Add(19 + k / 10.0, k);
    ASSERT_EQ(s.Points().size(), 38u);
    EXPECT_DOUBLE_EQ(s.Points().front().time, 12);
    EXPECT_DOUBLE_EQ(s.Points().back().time, 22);
    EXPECT_DOUBLE_EQ(s.Points()[8].value, 1); // 19.1 s follows 12-19
    double previous = -1;
    std::size_t seen = 0;
    for (const HistorySeries::Point &p : s.Points()) {
        EXPECT_GT(p.time, previous);
        previous = p.time;
        ++seen;
    }
    EXPECT_EQ(seen, 38u);
    HistorySeries none(10, 0); // no room: nothing is kept
    none.Add(1, 1);
    EXPECT_TRUE(none.Empty());
}

TEST(SignalOverview, HistoryOfSatellitesGridPointsAndRates)
{
    Fixture f({5});
    for (int t = 0; t < 10; ++t)
        f.Send(t, Fast(t % 4, 0, t * 0.5));
    const HistorySeries *prc = f.overview->Prc(5);
    ASSERT_NE(prc, nullptr);
    ASSERT_EQ(prc->Points().size(), 10u);
    EXPECT_DOUBLE_EQ(prc->Points()[4].value, 2);
    EXPECT_DOUBLE_EQ(f.overview->Udre(5)->Points()[3].value, kUDRE[3]);
    EXPECT_EQ(f.overview->Prc(6), nullptr);
    f.Send(10, Fast(14, 0, 255.875)); // not monitored: the field is no correction
    EXPECT_EQ(prc->Points().size(), 10u);
    EXPECT_DOUBLE_EQ(f.overview->Udre(5)->Points().back().value, kNotMonitored);
    EXPECT_NEAR(f.overview->Rate(2)->Points().back().value, 60, 1e-9);

    // Band 0 with points 3 and 9 masked; the grid decoder writes first, the overview reads after.
    sbas::IgpMaskMsg mask;
    mask.points = {3, 9};
    TMT18 mt18(*f.grid);
    mt18.SetMessage(sbas::IgpMask(mask).Hex());
    mt18.Decode();
    sbas::IonoDelayMsg delays;
    delays.delay[0] = 2.5;
    delays.delay[1] = 70; // do not use
    delays.givei[0] = 4;
    TMT26 mt26(*f.grid);
    mt26.SetMessage(sbas::IonosphericDelays(delays).Hex());
    mt26.Decode();
    f.Send(20, sbas::IonosphericDelays(delays));
    ASSERT_NE(f.overview->VerticalDelay(3), nullptr);
    EXPECT_DOUBLE_EQ(f.overview->VerticalDelay(3)->Points().back().value, 2.5);
    EXPECT_DOUBLE_EQ(f.overview->Give(3)->Points().back().value, kGIVE[4]);
    EXPECT_DOUBLE_EQ(f.overview->VerticalDelay(9)->Points().back().value, 10000);
    EXPECT_EQ(f.overview->VerticalDelay(4), nullptr);
}

TEST(SignalOverview, ResetForgetsEverything)
{
    Fixture f({5});
    f.Send(0, Fast(2));
    f.overview->NoteRejected(RejectKind::Pardo);
    const uint64_t before = f.overview->Revision();
    f.overview->Reset();
    EXPECT_NE(f.overview->Revision(), before);
    EXPECT_TRUE(f.overview->SeenTypes().empty());
    EXPECT_EQ(f.overview->Prc(5), nullptr);
    EXPECT_EQ(f.overview->Feed().PardoErrors(), 0);
    EXPECT_FALSE(f.Row(5).state.fastCorrection);
}

} // namespace
