#include "sismode/sis_mode_monitor.h"
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

} // namespace
