#include "sismode/sis_mode_monitor.h"
#include "sismode/type_indicators.h"
#include "support/fake_clock.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace {

TEST(SisMode, DecisionFollowsTheTypesOfTheWindow)
{
    struct Case {
        const char *name;
        std::vector<int> types;
        BroadcastMode expected;
    } cases[] = {
        {"empty window while receiving", {}, BroadcastMode::ModeSOL},
        {"only null messages", {63}, BroadcastMode::ModeSOL},
        {"type 0 and type 2", {0, 2, 3}, BroadcastMode::Mode00},
        {"type 0 without type 2", {0, 3, 63}, BroadcastMode::Mode02},
        {"unrecorded types", {11, 40, 2}, BroadcastMode::ModeSOL},
    };
    for (const auto &c : cases) {
        SISModeState s;
        s.Receiving = true;
        for (int t : c.types)
            s.MarkReceived(t);
        EXPECT_EQ(s.Decide(BroadcastMode::InfoNA, 45000), c.expected) << c.name;
    }
}

TEST(SisMode, OutageGivesInfoNAAfterFiveMinutes)
{
    SISModeState s;
    s.MarkReceived(0);
    const DateTime stop = EncodeDateTime({2026, 12, 31, 23, 58});
    s.OutageStart = stop;
    s.Receiving = false;
    EXPECT_EQ(s.Decide(BroadcastMode::Mode02, stop + 4.0 / 1440), BroadcastMode::Mode02); // stall too young
    EXPECT_EQ(s.Decide(BroadcastMode::Mode02, stop + kFiveMinutes), BroadcastMode::InfoNA); // across midnight
    s.Receiving = true; // data again, but the outage mark was left set
    EXPECT_EQ(s.Decide(BroadcastMode::Mode02, stop + kFiveMinutes), BroadcastMode::InfoNA);
    s.OutageStart = 0;
    EXPECT_EQ(s.Decide(BroadcastMode::InfoNA, stop + 1), BroadcastMode::Mode02);
}

// A stall held by the no-data check gives InfoNA at once; a user's stop (no stall) keeps the
// last mode until the outage is 5 minutes old.
TEST(SisMode, AStallHeldByTheNoDataCheckGivesInfoNA)
{
    const DateTime stop = EncodeDateTime({2026, 12, 7, 11, 58});
    struct Case {
        const char *name;
        bool stalled;
        double minutesLater;
        BroadcastMode expected;
    } cases[] = {
        {"stall, 1 minute", true, 1, BroadcastMode::InfoNA},
        {"stall, 4 minutes", true, 4, BroadcastMode::InfoNA},
        {"stop, 1 minute", false, 1, BroadcastMode::ModeSOL},
        {"stop, 5 minutes", false, 5, BroadcastMode::InfoNA},
    };
    for (const Case &c : cases) {
        SISModeState s;
        s.OutageStart = stop;
        s.Receiving = false;
        s.Stalled = c.stalled;
        EXPECT_EQ(s.Decide(BroadcastMode::ModeSOL, stop + c.minutesLater / 1440), c.expected) << c.name;
    }
}

struct ShownModes : SisModeDisplay {
    std::vector<std::pair<int, std::string>> shown; // second of the run, mode name
    int second = 0;
    void SetMode(const std::string &name, bool, int) override { shown.emplace_back(second, name); }
    void RefreshTypes() override {}
};

// A feed of null messages, one a second, stops after 100 s. The monitor ticks every second and
// the no-data check every 60 s, at seconds 30, 90, 150...: it finds the time unchanged first at
// 210 (the last new time came at 99, before the check at 150) and from then on. The monitor
// decides at 60, 120, 180...: Mode SOL while data flows, and never again once the stall is
// declared, although a stall under 5 minutes old would otherwise repeat the last mode.
TEST(SisMode, TheStatusStaysInfoNAWhileTheNoDataCheckHoldsAStall)
{
    ShownModes display;
    FakeClock clock;
    TSISModeThread monitor(display, clock);
    monitor.State.Receiving = true;
    int lastTime = -1, lastChecked = -1;
    std::vector<int> declared;
    for (int second = 1; second <= 600; ++second) {
        display.second = second;
        clock.AdvanceSeconds(1);
        if (second < 100) {
            monitor.State.MarkReceived(63);
            lastTime = second;
        }
        if (second % 60 == 30) {
            if (monitor.NoDataCheck(lastTime == lastChecked))
                declared.push_back(second);
            lastChecked = lastTime;
        }
        monitor.Evaluate();
    }
    EXPECT_EQ(declared, std::vector<int>{210});
    using Shown = std::vector<std::pair<int, std::string>>;
    const Shown beforeTheStall = {{60, "Mode SOL"}, {120, "Mode SOL"}, {180, "Mode SOL"}, {210, "InfoNA"}};
    ASSERT_GE(display.shown.size(), beforeTheStall.size());
    EXPECT_EQ(Shown(display.shown.begin(), display.shown.begin() + 4), beforeTheStall);
    for (std::size_t i = 4; i < display.shown.size(); ++i)
        EXPECT_EQ(display.shown[i].second, "InfoNA") << "at second " << display.shown[i].first;
    // Data again: the next check ends the stall and declares nothing.
    EXPECT_FALSE(monitor.NoDataCheck(false));
    EXPECT_FALSE(monitor.State.Stalled);
}

TEST(SisMode, BufferRefusesTypesOutsideItsList)
{
    MTBuffer b;
    EXPECT_EQ(b.IndexOf(63), 19);
    EXPECT_EQ(b.IndexOf(8), -1);
    EXPECT_THROW(b.Set(8, true), std::logic_error);
    EXPECT_THROW(b.Get(40), std::logic_error);
}

struct RecordingDisplay : SisModeDisplay {
    std::vector<std::string> modes;
    int refreshes = 0;
    void SetMode(const std::string &name, bool supervision, int) override
    {
        EXPECT_FALSE(supervision);
        modes.push_back(name);
    }
    void RefreshTypes() override { ++refreshes; }
};

TEST(SisMode, MonitorDecidesOnEverySixtiethTickAndOpensANewWindow)
{
    RecordingDisplay display;
    FakeClock clock;
    TSISModeThread monitor(display, clock);
    monitor.State.Receiving = true;
    monitor.State.MarkReceived(0);
    for (int i = 0; i < 59; ++i)
        monitor.Evaluate();
    EXPECT_TRUE(display.modes.empty());
    EXPECT_EQ(display.refreshes, 59);
    monitor.Evaluate();
    EXPECT_EQ(display.modes, std::vector<std::string>{"Mode 0/2"});
    for (int i = 0; i < 60; ++i)
        monitor.Execute();
    EXPECT_EQ(display.modes.back(), "Mode SOL"); // the type 0 belonged to the previous window
    EXPECT_EQ(monitor.CurrentMode(), BroadcastMode::ModeSOL);
}

// The status window's indicators, step by step: a step notes a type or ticks at a time in
// seconds after 12:00:00 (negative: the clock set back), and lists the colours that change.
// An indicator stays green up to and including 5 minutes (300 s) after its type arrived.
TEST(TypeIndicators, ColoursChangeOnlyWhenATypeArrivesOrAges)
{
    const DateTime noon = EncodeDateTime({2026, 12, 7, 12, 0, 0});
    struct Step {
        const char *what;
        int type;      // -1: a tick, else a type that arrives
        double second; // after noon
        std::vector<std::pair<int, bool>> changes; // type, green; for a tick
    };
    const Step steps[] = {
        {"type 2 arrives", 2, 0, {}},
        {"tick: young", -1, 1, {}},
        {"type 63 arrives later", 63, 100, {}},
        {"tick: type 2 exactly 5 minutes old, still green", -1, 300, {}},
        {"tick: type 2 older than 5 minutes", -1, 300.5, {{2, false}}},
        {"tick: nothing more to turn", -1, 350, {}},
        {"tick: type 63 older than 5 minutes", -1, 400.001, {{63, false}}},
        {"the clock set back to where type 2 was young", -1, 200, {{2, true}, {63, true}}},
        {"a type 8 has no indicator", 8, 500, {}},
        {"tick: type 2 and 63 old again, type 8 has none", -1, 500, {{2, false}, {63, false}}},
    };
    TypeIndicators indicators;
    for (const Step &s : steps) {
        const DateTime now = noon + s.second / 86400.0;
        if (s.type >= 0) {
            indicators.Note(s.type, now, true);
            EXPECT_EQ(indicators.Green(s.type), s.type != 8) << s.what;
            EXPECT_EQ(indicators.LastSeen(s.type), now) << s.what;
            continue;
        }
        std::vector<std::pair<int, bool>> changes;
        indicators.Refresh(now, [&](int type, bool green) { changes.emplace_back(type, green); });
        EXPECT_EQ(changes, s.changes) << s.what;
    }
    EXPECT_FALSE(indicators.HasIndicator(8));
    EXPECT_TRUE(indicators.HasIndicator(62));
}

// A time whose whole-day part is 0 counts as never: its indicator, turned green when the type
// arrived, turns white at the next tick. Clearing forgets every time.
TEST(TypeIndicators, ATimeOfDayZeroIsNeverAndClearingForgets)
{
    TypeIndicators indicators;
    indicators.Note(0, 0.5, true); // 30 December 1899, noon
    EXPECT_TRUE(indicators.Green(0));
    std::vector<std::pair<int, bool>> changes;
    const auto note = [&](int type, bool green) { changes.emplace_back(type, green); };
    indicators.Refresh(0.5, note);
    EXPECT_EQ(changes, (std::vector<std::pair<int, bool>>{{0, false}}));

    const DateTime now = EncodeDateTime({2026, 12, 7, 12, 0, 0});
    indicators.Note(1, now, true);
    indicators.Note(3, now, false); // not received: white, its time kept
    EXPECT_FALSE(indicators.Green(3));
    changes.clear();
    indicators.Refresh(now, note);
    EXPECT_EQ(changes, (std::vector<std::pair<int, bool>>{{3, true}})); // seen just now: green by age
    indicators.Clear();
    EXPECT_FALSE(indicators.Green(1));
    EXPECT_EQ(indicators.LastSeen(1), 0);
    changes.clear();
    indicators.Refresh(now, note);
    EXPECT_TRUE(changes.empty());
}

} // namespace
