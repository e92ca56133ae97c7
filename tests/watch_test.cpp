// The signal watch: each item's time-out at the exact second, type 0, intervals and every kind of
// event, from short sequences fed as the overview feeds them. Time-outs are the published
// values, written out here; times are GPS seconds of a week chosen at random.
#include "watch/deadline_queue.h"
#include "watch/event_file.h"
#include "watch/signal_watch.h"
#include "watch/watch_words.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>

namespace {

constexpr double kWeek = 2287 * 604800.0;

// A watch over a mask of slots 3 (GPS 3, mask number 1) and 40 (GLONASS 3, number 2) under IODP 1,
// and grid points 0 and 5 of band 0 in the mask.
struct Rig {
    Rig()
    {
        mask = std::make_unique<PRNMaskBuffer>();
        *mask = {};
        mask->received = 1;
        mask->currentIODP = 1;
        for (const int slot : {3, 40})
            mask->mask[1][slot - 1] = 1;
        grid = std::make_unique<IGPBuffer>();
        *grid = {};
        for (const int e : {0, 5})
            grid->entry[e].InMask = 1;
        grid->entry[5].GIVEI = 9;
        watch = std::make_unique<SignalWatch>(*mask, *grid);
        // Answers to the requests: no part of the stream's gaps or intervals.
        At(0, 1, false);
        watch->NoteMask();
        At(0, 18, false);
        watch->NoteGridMask(0, 2);
    }
    // A message of type `type` at second `t` of the week.
    void At(double t, int type = 63, bool live = true, bool parity = true,
            BroadcastMode mode = BroadcastMode::None)
    {
        watch->Begin(kWeek + t, type, live, parity, mode);
    }
    std::vector<WatchEvent> Of(EventKind kind) const
    {
        std::vector<WatchEvent> found;
        for (const WatchEvent &e : watch->Events().Events())
            if (e.kind == kind)
                found.push_back(e);
        return found;
    }
    std::vector<WatchEvent> Named(EventKind kind, const std::string &item) const
    {
        std::vector<WatchEvent> found;
        for (const WatchEvent &e : Of(kind))
            if (e.item == item)
                found.push_back(e);
        return found;
    }
    std::unique_ptr<PRNMaskBuffer> mask;
    std::unique_ptr<IGPBuffer> grid;
    std::unique_ptr<SignalWatch> watch;
};

// One item: how a message brings it, the name its events carry, and its time-outs as RTCA
// DO-229's time-out table publishes them (precision approach, en route to non-precision).
struct TimedItem {
    const char *name;
    std::function<void(Rig &, double)> bring;
    int precise, enRoute;
};

const std::vector<TimedItem> &TimedItems()
{
    static const std::vector<TimedItem> items = {
        {"PRN mask (type 1)", [](Rig &r, double t) { r.At(t, 1); r.watch->NoteMask(); }, 600, 600},
        {"degradation factors (type 7)", [](Rig &r, double t) { r.At(t, 7); }, 240, 360},
        {"GEO navigation message (type 9)", [](Rig &r, double t) { r.At(t, 9); }, 240, 360},
        {"degradation parameters (type 10)", [](Rig &r, double t) { r.At(t, 10); }, 240, 360},
        {"network time (type 12)", [](Rig &r, double t) { r.At(t, 12); }, 86400, 86400},
        {"GEO almanacs (type 17)", [](Rig &r, double t) { r.At(t, 17); }, 900, 900},
        {"ionospheric grid mask (type 18)", [](Rig &r, double t) { r.At(t, 18); r.watch->NoteGridMask(0, 2); },
         1200, 1200},
        {"service message (type 27)", [](Rig &r, double t) { r.At(t, 27); r.watch->NoteService(1); }, 86400,
         86400},
        {"GPS 3 UDREI", [](Rig &r, double t) { r.At(t, 6); r.watch->NoteUdrei(3, 4); }, 12, 18},
        {"GPS 3 long-term correction", [](Rig &r, double t) { r.At(t, 25); r.watch->NoteLongTerm(3, 70); }, 240, 360},
        {"GLONASS 3 covariance (type 28)", [](Rig &r, double t) { r.At(t, 28); r.watch->NoteCovariance(40); }, 240,
         360},
        {"grid point 5 (0°N 0°E) delay and GIVE (type 26)", [](Rig &r, double t) { r.At(t, 26); r.watch->NoteGridPoint(5); },
         600, 600},
    };
    return items;
}

TEST(SignalWatch, EachItemTimesOutAtItsPublishedTimeOutAndRecovers)
{
    for (const Column column : {Column::PrecisionApproach, Column::EnRouteToNonPrecision})
        for (const TimedItem &item : TimedItems()) {
            const int timeout = column == Column::PrecisionApproach ? item.precise : item.enRoute;
            const std::string label = std::string(item.name) + ", " + ColumnName(column);
            Rig r;
            r.watch->SetColumn(column);
            item.bring(r, 100);
            r.At(100 + timeout, 63, false); // age equal to the time-out: still valid
            EXPECT_TRUE(r.Named(EventKind::TimeOut, item.name).empty()) << label;
            r.At(101 + timeout, 63, false);
            const auto out = r.Named(EventKind::TimeOut, item.name);
            ASSERT_EQ(out.size(), 1u) << label;
            EXPECT_DOUBLE_EQ(out[0].time, kWeek + 100 + timeout) << label << ": when the time-out ran out";
            EXPECT_EQ(out[0].to, "timed out (time-out " + std::to_string(timeout) + " s)") << label;

            item.bring(r, 106 + timeout);
            const auto back = r.Named(EventKind::Recovery, item.name);
            ASSERT_EQ(back.size(), 1u) << label;
            EXPECT_DOUBLE_EQ(back[0].time, kWeek + 106 + timeout) << label;
            EXPECT_EQ(back[0].from, "timed out for 6 s") << label;
            r.At(106 + 2 * timeout, 63, false);
            EXPECT_EQ(r.Named(EventKind::TimeOut, item.name).size(), 1u) << label << ": the fresh copy is valid";
        }
}

TEST(SignalWatch, FastCorrectionTimeOutFollowsTheType7Indicator)
{
    // I_fc of the type 7 table by indicator: precision approach, then en route to non-precision.
    const int precise[16] = {120, 120, 102, 90, 90, 78, 66, 54, 42, 30, 30, 18, 18, 18, 12, 12};
    const int enRoute[16] = {180, 180, 153, 135, 135, 117, 99, 81, 63, 45, 45, 27, 27, 27, 18, 18};
    for (int indicator = 0; indicator < 16; ++indicator)
        for (const Column column : {Column::PrecisionApproach, Column::EnRouteToNonPrecision}) {
            const int timeout = (column == Column::PrecisionApproach ? precise : enRoute)[indicator];
            Rig r;
            r.watch->SetColumn(column);
            r.At(10, 7);
            r.watch->NoteIndicator(3, indicator);
            r.At(20, 2);
            r.watch->NoteCorrection(3, 3);
            EXPECT_EQ(r.watch->Satellite(3, Item::FastCorrection).timeout, timeout) << indicator;
            r.At(20 + timeout, 63, false);
            EXPECT_TRUE(r.Named(EventKind::TimeOut, "GPS 3 fast correction").empty()) << indicator;
            r.At(21 + timeout, 63, false);
            EXPECT_EQ(r.Named(EventKind::TimeOut, "GPS 3 fast correction").size(), 1u) << indicator;
            EXPECT_TRUE(r.watch->Satellite(3, Item::FastCorrection).Expired()) << indicator;
        }

    // Without an indicator the correction has no time-out; one that arrives later gives it one.
    Rig r;
    r.At(0, 2);
    r.watch->NoteCorrection(3, 3);
    r.At(500, 63, false);
    EXPECT_EQ(r.watch->Satellite(3, Item::FastCorrection).timeout, -1);
    EXPECT_TRUE(r.Named(EventKind::TimeOut, "GPS 3 fast correction").empty());
    r.At(501, 7);
    r.watch->NoteIndicator(3, 14); // 12 s: ran out at 12
    r.At(502, 63, false);
    const auto out = r.Named(EventKind::TimeOut, "GPS 3 fast correction");
    ASSERT_EQ(out.size(), 1u);
    EXPECT_DOUBLE_EQ(out[0].time, kWeek + 12);
}

TEST(SignalWatch, TheFirstItemToExpireGivesTheReason)
{
    Rig r;
    r.At(5, 7);
    r.watch->NoteIndicator(3, 0); // fast correction time-out 120 s
    r.At(0, 25);
    r.watch->NoteLongTerm(3, 12);
    r.At(100, 2);
    r.watch->NoteCorrection(3, 5);
    EXPECT_EQ(r.watch->Expired(3), "");
    for (int t = 106; t <= 246; t += 6) {
        r.At(t, 6);
        r.watch->NoteUdrei(3, 5);
    }
    // At 252 the fast correction (100 + 120) ran out 32 s ago, the long-term correction (0 + 240)
    // 12 s ago and the type 7 factors (5 + 240) 7 s ago: the first to run out is named.
    r.At(252, 63);
    EXPECT_EQ(r.watch->Expired(3), "fast correction expired 32 s ago (time-out 120 s)");
    r.At(252, 2);
    r.watch->NoteCorrection(3, 5);
    EXPECT_EQ(r.watch->Expired(3), "long-term correction expired 12 s ago (time-out 240 s)");
    r.At(253, 25);
    r.watch->NoteLongTerm(3, 12);
    EXPECT_EQ(r.watch->Expired(3), "degradation factors (type 7) expired 8 s ago (time-out 240 s)");
    EXPECT_EQ(r.watch->Expired(40), "degradation factors (type 7) expired 8 s ago (time-out 240 s)")
        << "the signal's items stand for every satellite";
}

TEST(SignalWatch, TypeZeroIsTestModeForAMinute)
{
    struct Case {
        const char *name;
        std::vector<std::pair<double, int>> messages; // second, type
        double now;
        bool on;
        const char *mode;
    } const cases[] = {
        {"no type 0", {{0, 2}, {10, 3}}, 10, false, "no type 0"},
        {"type 0 alone", {{0, 0}}, 0, true, "Mode 0/2"},
        {"beside type 2", {{0, 2}, {5, 0}}, 5, true, "Mode 0/0"},
        {"type 2 more than a minute before", {{0, 2}, {61, 0}}, 61, true, "Mode 0/2"},
        {"a minute after", {{0, 0}}, 60, true, "Mode 0/2"},
        {"a minute and a second after", {{0, 0}}, 61, false, "no type 0"},
    };
    for (const Case &c : cases) {
        Rig r;
        for (const auto &[t, type] : c.messages)
            r.At(t, type);
        r.At(c.now, 63);
        EXPECT_EQ(r.watch->TestMode().on, c.on) << c.name;
        EXPECT_STREQ(r.watch->TestMode().Name(), c.mode) << c.name;
    }

    Rig r;
    r.At(0, 0);
    r.At(30, 0);
    r.At(40, 2);
    r.At(150, 63);
    const auto events = r.Of(EventKind::TestMode);
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0].to, "Mode 0/2: test mode, not for safety use");
    EXPECT_EQ(events[1].to, "Mode 0/0: type 2 received beside type 0");
    EXPECT_DOUBLE_EQ(events[2].time, kWeek + 90) << "a minute after the last type 0";
    EXPECT_EQ(events[2].from, "Mode 0/0");
    EXPECT_EQ(events[2].to, "test mode left: no type 0 for 60 s");
}

TEST(SignalWatch, EachKindOfEventFromAShortSequence)
{
    struct Case {
        const char *name;
        std::function<void(Rig &)> sequence;
        EventKind kind;
        const char *item, *from, *to; // of the last event of the kind
        std::size_t count = 1;        // events of the kind
    } const cases[] = {
        {"UDREI to do not use",
         [](Rig &r) { r.At(1, 2); r.watch->NoteCorrection(3, 4); r.At(2, 2); r.watch->NoteCorrection(3, 15); },
         EventKind::Udrei, "GPS 3 UDREI", "4", "15 (do not use)"},
        {"UDREI back from not monitored",
         [](Rig &r) { r.At(1, 6); r.watch->NoteUdrei(40, 14); r.At(2, 6); r.watch->NoteUdrei(40, 13); },
         EventKind::Udrei, "GLONASS 3 UDREI", "14 (not monitored)", "13"},
        {"IODE", [](Rig &r) { r.At(1, 25); r.watch->NoteLongTerm(3, 70); r.At(2, 25); r.watch->NoteLongTerm(3, 71); },
         EventKind::IssueOfData, "GPS 3 IODE", "70", "71"},
        {"IODP",
         [](Rig &r) {
             r.mask->currentIODP = 2;
             r.mask->mask[2][2] = r.mask->mask[2][39] = 1;
             r.At(1, 1);
             r.watch->NoteMask();
         },
         EventKind::IssueOfData, "IODP (type 1)", "1", "2"},
        {"IODI", [](Rig &r) { r.At(1, 18); r.watch->NoteGridMask(0, 3); }, EventKind::IssueOfData, "IODI (type 18)",
         "2", "3"},
        {"IODS", [](Rig &r) { r.At(1, 27); r.watch->NoteService(4); r.At(2, 27); r.watch->NoteService(5); },
         EventKind::IssueOfData, "IODS (type 27)", "4", "5"},
        {"IODF alarm",
         [](Rig &r) { r.At(1, 3); r.watch->NoteIodf(3, 1); r.At(2, 3); r.watch->NoteIodf(3, 2); r.At(3, 3); r.watch->NoteIodf(3, 3); },
         EventKind::IssueOfData, "IODF (type 3)", "2", "3 (alarm)"},
        {"satellite added",
         [](Rig &r) { r.mask->mask[1][4] = 1; r.At(1, 1); r.watch->NoteMask(); },
         EventKind::Mask, "PRN mask (IODP 1)", "2 satellites", "3 satellites: GPS 5 added"},
        {"grid points removed",
         [](Rig &r) { r.grid->entry[5].InMask = 0; r.At(1, 18); r.watch->NoteGridMask(0, 2); },
         EventKind::Mask, "grid mask band 0", "2 points", "1 point: 0 added, 1 removed"},
        {"gap in the stream", [](Rig &r) { r.At(1); r.At(2); r.At(7); }, EventKind::Gap, "stream",
         "2023-11-05 00:00:02", "2023-11-05 00:00:07 (4 s missing)"},
        {"type late", [](Rig &r) { r.At(1, 26); r.At(302, 26); }, EventKind::Interval, "type 26", "at most 300 s",
         "301 s since the last"},
        {"one parity failure", [](Rig &r) { r.At(1, 26, true, false); r.At(61); }, EventKind::Parity, "type 26",
         "parity holds", "CRC-24Q fails"},
        {"a burst of parity failures",
         [](Rig &r) { r.At(1, 26, true, false); r.At(20, 2, true, false); r.At(60, 26, true, false); r.At(61); },
         EventKind::Parity, "types 2, 26", "parity holds", "burst: 3 failures within 60 s"},
        {"broadcast mode",
         [](Rig &r) { r.At(1, 63, true, true, BroadcastMode::ModeSOL); r.At(2, 0, true, true, BroadcastMode::Mode02); },
         EventKind::Mode, "broadcast status", "Mode SOL", "Mode 0/2", 2}, // the first decision was one too
        {"first broadcast mode", [](Rig &r) { r.At(1, 63, true, true, BroadcastMode::ModeSOL); }, EventKind::Mode,
         "broadcast status", "not decided", "Mode SOL"},
        {"type 0", [](Rig &r) { r.At(1, 0); }, EventKind::TestMode, "type 0", "no type 0 within 60 s",
         "Mode 0/2: test mode, not for safety use"},
        {"time-out", [](Rig &r) { r.At(1, 9); r.At(242); }, EventKind::TimeOut, "GEO navigation message (type 9)",
         "valid", "timed out (time-out 240 s)"},
        {"recovery", [](Rig &r) { r.At(1, 9); r.At(250, 9); }, EventKind::Recovery, "GEO navigation message (type 9)",
         "timed out for 9 s", "received"},
    };
    for (const Case &c : cases) {
        Rig r;
        const uint64_t before = r.watch->Events().Next();
        c.sequence(r);
        const auto events = r.Of(c.kind);
        ASSERT_EQ(events.size(), c.count) << c.name;
        const WatchEvent &e = events.back();
        EXPECT_GE(e.sequence, before) << c.name;
        EXPECT_EQ(e.item, c.item) << c.name;
        EXPECT_EQ(e.from, c.from) << c.name;
        EXPECT_EQ(e.to, c.to) << c.name;
    }
}

TEST(SignalWatch, QuietChangesAreNotEvents)
{
    Rig r;
    // The IODF counts with each set; a UDREI moves within 0-13; the first masks are no change;
    // an answer to a request is no part of the stream's gaps or intervals.
    for (int t = 1; t <= 6; ++t) {
        r.At(t, 2);
        r.watch->NoteIodf(2, t % 3);
        r.watch->NoteCorrection(3, t % 14);
    }
    r.At(100, 26, false);
    r.At(900, 26, false);
    r.At(7, 26);
    EXPECT_EQ(r.Of(EventKind::IssueOfData).size(), 0u);
    EXPECT_EQ(r.Of(EventKind::Udrei).size(), 0u);
    EXPECT_EQ(r.Of(EventKind::Mask).size(), 0u);
    EXPECT_EQ(r.Of(EventKind::Interval).size(), 0u);
    EXPECT_EQ(r.Of(EventKind::Gap).size(), 0u);
    EXPECT_EQ(r.Of(EventKind::Parity).size(), 0u);
}

TEST(SignalWatch, ParityFailuresAreLoggedOnceTheirMinuteHasPassed)
{
    struct Case {
        const char *name;
        std::vector<double> failures;
        std::size_t before;               // logged at the last failure
        std::vector<const char *> logged; // after the last failure's minute
    } const cases[] = {
        {"one", {10}, 0, {"CRC-24Q fails"}},
        {"two within a minute", {10, 40}, 0, {"CRC-24Q fails", "CRC-24Q fails"}},
        {"three within a minute", {10, 40, 69}, 0, {"burst: 3 failures within 60 s"}},
        {"three, the third a minute after the first", {10, 40, 70}, 2,
         {"CRC-24Q fails", "CRC-24Q fails", "CRC-24Q fails"}},
        {"five within a minute", {10, 11, 12, 13, 14}, 0, {"burst: 5 failures within 60 s"}},
    };
    for (const Case &c : cases) {
        Rig r;
        for (const double t : c.failures)
            r.At(t, 26, true, false);
        EXPECT_EQ(r.Of(EventKind::Parity).size(), c.before) << c.name << ": within the minute";
        r.At(c.failures.back() + 60);
        const auto events = r.Of(EventKind::Parity);
        ASSERT_EQ(events.size(), c.logged.size()) << c.name;
        for (std::size_t i = 0; i < events.size(); ++i)
            EXPECT_EQ(events[i].to, c.logged[i]) << c.name;
        EXPECT_DOUBLE_EQ(events[0].time, kWeek + c.failures[0]) << c.name;
    }
}

TEST(SignalWatch, IntervalsCountedAgainstEachTypesMaximum)
{
    struct Case {
        const char *name;
        int type;
        std::vector<double> live;
        int limit;
        double longest;
        int64_t exceeded;
    } const cases[] = {
        // Published maximum update intervals: type 1 120 s, fast corrections 60 s, 7/9/10/25/28
        // 120 s, 12/17/18/26/27 300 s, type 6 6 s; types 0 and 63 have none.
        {"type 26 on time", 26, {0, 300, 600}, 300, 300, 0},
        {"type 26 a second late", 26, {0, 301, 400}, 300, 301, 1},
        {"type 2 late twice", 2, {0, 6, 67, 128}, 60, 61, 2},
        {"type 24 as a fast correction", 24, {0, 61}, 60, 61, 1},
        {"type 1", 1, {0, 121}, 120, 121, 1},
        {"type 6", 6, {0, 6, 13}, 6, 7, 1},
        {"type 7", 7, {0, 120}, 120, 120, 0},
        {"type 9", 9, {0, 121}, 120, 121, 1},
        {"type 10", 10, {0, 121}, 120, 121, 1},
        {"type 12", 12, {0, 301}, 300, 301, 1},
        {"type 17", 17, {0, 301}, 300, 301, 1},
        {"type 18", 18, {0, 301}, 300, 301, 1},
        {"type 25", 25, {0, 121}, 120, 121, 1},
        {"type 27", 27, {0, 301}, 300, 301, 1},
        {"type 28", 28, {0, 121}, 120, 121, 1},
        {"type 63 has no maximum", 63, {0, 1000}, -1, 1000, 0},
    };
    for (const Case &c : cases) {
        Rig r;
        for (const double t : c.live)
            r.At(1000 + t, c.type);
        const UpdateIntervals &iv = r.watch->Intervals(c.type);
        EXPECT_EQ(iv.limit, c.limit) << c.name;
        EXPECT_DOUBLE_EQ(iv.longest, c.longest) << c.name;
        EXPECT_EQ(iv.exceeded, c.exceeded) << c.name;
        EXPECT_EQ(static_cast<int64_t>(r.Of(EventKind::Interval).size()), c.exceeded) << c.name;
    }

    // A satellite's UDREI must come every 6 s, whichever type brings it.
    Rig r;
    const std::pair<double, int> udreis[] = {{0, 2}, {6, 6}, {13, 2}, {14, 24}, {22, 6}};
    for (const auto &[t, type] : udreis) {
        r.At(t, type);
        r.watch->NoteUdrei(3, 5);
    }
    EXPECT_EQ(r.watch->UdreiIntervals().limit, 6);
    EXPECT_DOUBLE_EQ(r.watch->UdreiIntervals().longest, 8);
    EXPECT_EQ(r.watch->UdreiIntervals().exceeded, 2);
}

TEST(SignalWatch, GridPointsReceivedOrNotWithAgeTimeOutAndGivei)
{
    Rig r;
    r.At(100, 26);
    r.watch->NoteGridPoint(5);
    r.At(700, 63);
    GridPointAge point = r.watch->GridPoint(5);
    EXPECT_TRUE(point.inMask);
    EXPECT_TRUE(point.delay.received);
    EXPECT_DOUBLE_EQ(point.delay.age, 600);
    EXPECT_EQ(point.delay.timeout, 600);
    EXPECT_FALSE(point.delay.Expired());
    EXPECT_EQ(point.givei, 9);
    r.At(701, 63);
    EXPECT_TRUE(r.watch->GridPoint(5).delay.Expired());

    const GridPointAge never = r.watch->GridPoint(0);
    EXPECT_TRUE(never.inMask);
    EXPECT_FALSE(never.delay.received);
    EXPECT_EQ(never.givei, -1);
    EXPECT_FALSE(r.watch->GridPoint(1).inMask);

    // A point that leaves the mask is forgotten: it neither times out nor recovers.
    r.At(702, 26);
    r.watch->NoteGridPoint(5);
    r.grid->entry[5].InMask = 0;
    r.At(703, 18);
    r.watch->NoteGridMask(0, 2);
    r.At(2000, 63, false);
    EXPECT_FALSE(r.watch->GridPoint(5).delay.received);
    EXPECT_EQ(r.Named(EventKind::TimeOut, "grid point 5 (0°N 0°E) delay and GIVE (type 26)").size(), 1u);
}

TEST(SignalWatch, ALiveStepBackStartsTheAgesAgain)
{
    Rig r;
    r.At(3600, 9);
    r.At(3601, 63);
    r.At(0, 63); // a replay looped from the end of its hour to the start
    r.At(1, 63);
    r.At(300, 63, false);
    EXPECT_FALSE(r.watch->Signal(Item::GeoNavigation).received) << "received at another time";
    EXPECT_TRUE(r.Named(EventKind::TimeOut, "GEO navigation message (type 9)").empty());
    EXPECT_TRUE(r.Of(EventKind::Gap).empty());
    r.At(303, 63);
    EXPECT_EQ(r.Of(EventKind::Gap).size(), 1u) << "the stream goes on from the new start";
}

TEST(SignalWatch, AnswersFromAnotherTimeDoNotAgeTheStream)
{
    // A replay server answers the requests with the last messages of its recording, an hour
    // ahead of the stream it then sends from the start.
    Rig r;
    r.At(3599, 9, false);
    r.At(3598, 25, false);
    r.watch->NoteLongTerm(3, 50);
    r.At(0, 25);
    r.watch->NoteLongTerm(3, 51);
    r.At(100, 63);
    EXPECT_TRUE(r.Named(EventKind::TimeOut, "GPS 3 long-term correction").empty());
    EXPECT_TRUE(r.Of(EventKind::Recovery).empty());
    const ItemAge longTerm = r.watch->Satellite(3, Item::LongTerm);
    EXPECT_DOUBLE_EQ(longTerm.age, 100);
    EXPECT_FALSE(longTerm.Expired());
    EXPECT_EQ(r.Named(EventKind::IssueOfData, "GPS 3 IODE").size(), 1u) << "the values are still compared";

    // An answer older than its time-out is known but never valid: no time-out, no recovery.
    Rig old;
    old.At(1000, 63);
    old.At(700, 9, false);
    old.At(1001, 63);
    EXPECT_TRUE(old.watch->Signal(Item::GeoNavigation).Expired());
    EXPECT_TRUE(old.Named(EventKind::TimeOut, "GEO navigation message (type 9)").empty());
    old.At(1002, 9);
    EXPECT_TRUE(old.Of(EventKind::Recovery).empty());
    EXPECT_FALSE(old.watch->Signal(Item::GeoNavigation).Expired());
}

TEST(EventLog, KeepsTheLatestTenThousand)
{
    Rig r;
    for (int i = 0; i < 10004; ++i) {
        r.At(i + 1, 6);
        r.watch->NoteUdrei(3, i % 2 == 0 ? 15 : 3);
    }
    const EventLog &log = r.watch->Events();
    // 10003 changes of UDREI (the first indicator is none), and on the way the mask (600 s) and
    // the grid mask (1200 s) time out.
    ASSERT_EQ(log.Events().size(), EventLog::kCapacity);
    EXPECT_EQ(log.Next(), 10005u);
    EXPECT_EQ(log.Oldest(), 5u);
    EXPECT_EQ(log.Events().front().sequence, 5u);
    EXPECT_EQ(log.Events().back().to, "3");
    EXPECT_EQ(EventLine(log.Events().back()), "2023-11-05 02:46:44\t\tUDREI\tGPS 3 UDREI\t15 (do not use)\t3");
}

TEST(EventFile, NamedAfterTheMessageLogBesideIt)
{
    const struct {
        const char *log, *events;
    } cases[] = {
        {"/data/day.klt", "/data/day-events.txt"},
        {"day.klt", "day-events.txt"},
        {"/data/run.2023/day", "/data/run.2023/day-events.txt"},
        {"", "signal-events.txt"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(EventFilePath(c.log), c.events) << c.log;
}

TEST(EventFile, AppendsEachEventOnceAndOnlyThoseStillKept)
{
    const std::filesystem::path path = std::filesystem::temp_directory_path() / "velmar-watch-events.txt";
    std::filesystem::remove(path);
    auto lines = [&] {
        std::ifstream in(path);
        std::vector<std::string> read;
        for (std::string line; std::getline(in, line);)
            read.push_back(line);
        return read;
    };
    EventLog log;
    // GPS second 0 is 1980-01-06 00:00:00; a day later, the 7th.
    log.Add({0, 0, "120", EventKind::Gap, "stream", "", "5 s missing"});
    EventFile file;
    std::string error;
    ASSERT_TRUE(file.WriteNew(log, error)) << "nothing open: nothing to write, no failure";
    ASSERT_TRUE(file.Open(path.string(), error)) << error;
    ASSERT_TRUE(file.WriteNew(log, error)) << error;
    log.Add({0, 86400, "120", EventKind::TestMode, "type 0", "no type 0 within 60 s", "Mode 0/2"});
    ASSERT_TRUE(file.WriteNew(log, error)) << error;
    ASSERT_TRUE(file.WriteNew(log, error)) << error;
    EXPECT_EQ(lines(), (std::vector<std::string>{"1980-01-06 00:00:00\t120\tGap\tstream\t\t5 s missing",
                                                 "1980-01-07 00:00:00\t120\tTest mode\ttype 0\tno type 0 within 60 s\tMode 0/2"}));
    file.Close();

    // Events the log let go of while the file was shut are not looked for.
    for (std::size_t i = 0; i < EventLog::kCapacity + 3; ++i)
        log.Add({0, 0, "120", EventKind::Parity, "type 2", "", "1 failure"});
    ASSERT_TRUE(file.Open(path.string(), error)) << error;
    ASSERT_TRUE(file.WriteNew(log, error)) << error;
    EXPECT_EQ(lines().size(), 2 + EventLog::kCapacity);
    std::filesystem::remove(path);
}

TEST(WatchWords, AGridPointNotReceivedIsNeitherDoNotUseNorTimedOut)
{
    auto point = [](bool inMask, bool received, double age, int givei) {
        GridPointAge g;
        g.inMask = inMask;
        g.delay.received = received;
        g.delay.age = age;
        g.delay.timeout = 600;
        g.givei = givei;
        return g;
    };
    const struct {
        GridPointAge point;
        float delay;
        const char *state;
    } cases[] = {
        {point(false, false, 0, -1), -10000, "not in the mask"},
        {point(true, false, 0, -1), -10000, "not received yet"},
        {point(true, true, 600, 3), 1.5f, "monitored"},  // at the time-out: still valid
        {point(true, true, 601, 3), 1.5f, "timed out"},  // a second past it
        {point(true, true, 601, 3), 10000, "timed out"}, // stale: what it said is no longer news
        {point(true, true, 5, 3), 10000, "Do Not Use"},
        {point(true, true, 5, 15), 2, "Not Monitored"},
        {point(true, true, 5, 14), 2, "monitored"},
    };
    for (const auto &c : cases)
        EXPECT_STREQ(StatusText(StatusOf(c.point, c.delay)), c.state) << c.state;
}

TEST(WatchWords, AgesTestModeAndTheirWords)
{
    auto age = [](bool received, double seconds, int timeout) {
        ItemAge a;
        a.received = received;
        a.age = seconds;
        a.timeout = timeout;
        return a;
    };
    const std::pair<ItemAge, const char *> ages[] = {
        {age(false, 0, 12), ""},
        {age(true, 3.4, 12), "3 / 12"},
        {age(true, 12, 12), "12 / 12"},
        {age(true, 250, 240), "250 / 240: expired"},
        {age(true, 7.6, -1), "8"}, // a fast correction without its type 7 indicator
    };
    for (const auto &[a, text] : ages)
        EXPECT_EQ(AgeText(a), text);

    TestModeState t;
    EXPECT_EQ(TestModeText(t), "Not in test mode: no type 0 within the last 60 s");
    t.on = true;
    t.age = 12;
    EXPECT_EQ(TestModeText(t), "Test mode (Mode 0/2): type 0 received 12 s ago, no satellite is for safety use");
    t.genuineType2 = true;
    EXPECT_EQ(TestModeText(t), "Test mode (Mode 0/0): type 0 received 12 s ago, no satellite is for safety use");
}

TEST(DeadlineQueue, EarliestFirstAndOneEntryAnItem)
{
    DeadlineQueue q;
    q.Resize(4);
    q.Set(0, 50);
    q.Set(1, 10);
    q.Set(2, 30);
    q.Set(1, 40); // later: looked at again when 10 comes up
    q.Set(2, 20); // earlier: replaces 30
    q.Set(3, 5);
    q.Set(3, DeadlineQueue::kNone);
    std::vector<int> due;
    for (int id; (id = q.PopDue(45)) >= 0;) {
        due.push_back(id);
        q.Set(id, DeadlineQueue::kNone);
    }
    EXPECT_EQ(due, (std::vector<int>{2, 1}));
    EXPECT_EQ(q.PopDue(50), -1) << "due only after its deadline";
    EXPECT_EQ(q.PopDue(50.5), 0);

    for (int i = 0; i < 100000; ++i)
        q.Set(i % 4, 1000 + i);
    EXPECT_LE(q.Entries(), 4u * 4 + 64) << "entries stay bounded however often deadlines move";
}

// Deadlines are GPS seconds: a day ahead (type 27's time-out), just over an hour ahead, a step of
// the stream far ahead, and a deadline set behind the seconds already passed (a shortened time-out).
TEST(DeadlineQueue, FarDeadlinesAndLongStepsComeUpInOrder)
{
    DeadlineQueue q;
    q.Resize(4);
    q.Set(0, 1000.5);
    q.Set(1, 1000 + 86400);
    q.Set(2, 1000 + 5000.25);
    auto take = [&q](double now) {
        const int id = q.PopDue(now);
        if (id >= 0)
            q.Set(id, DeadlineQueue::kNone);
        return id;
    };
    EXPECT_EQ(take(1000.5), -1) << "due only after its deadline";
    EXPECT_EQ(take(1001), 0);
    EXPECT_EQ(take(6000.25), -1);
    EXPECT_EQ(take(6000.3), 2);
    q.Set(3, 7000);
    EXPECT_EQ(take(1e6), 3) << "a long step brings every deadline before it, earliest first";
    EXPECT_EQ(take(1e6), 1);
    EXPECT_EQ(take(1e6), -1);
    q.Set(0, 2000); // behind the seconds passed: due at once
    EXPECT_EQ(take(1e6), 0);
}

} // namespace
