#include "SimHarness.h"

#include <gtest/gtest.h>

namespace voltaryn::sim {
namespace {

using namespace std::chrono_literals;

TEST(SimKeys, HoldFreezesTheReadingWhileTimePassesAndReadTakesAFreshOne)
{
    SimHarness sim;
    sim.Click(KeyButton::BtnHoldOnOff);
    sim.Poll();
    EXPECT_TRUE(sim.Lit(StatusBit::LcdHOLD));
    const auto held = sim.Values();
    sim.Advance(5min);
    sim.Poll();
    EXPECT_EQ(sim.Values(), held);

    sim.Click(KeyButton::BtnRead);
    sim.Poll();
    EXPECT_NE(sim.Values(), held);
    const auto reread = sim.Values();

    sim.Click(KeyButton::BtnHoldOnOff);
    sim.Advance(5min);
    sim.Poll();
    EXPECT_FALSE(sim.Lit(StatusBit::LcdHOLD));
    EXPECT_NE(sim.Values(), reread);
}

TEST(SimKeys, TimeAndIntervalModesTakeOverTheNumberFields)
{
    SimHarness sim;
    sim.commands.SetMeterClock({24, 5, 6, 13, 45, 10});
    sim.commands.SetMeterInterval(9);
    const MeterReading& r = sim.Poll();

    sim.Click(KeyButton::BtnRealTime);
    sim.Advance(15min);
    sim.Poll();
    EXPECT_TRUE(sim.Lit(StatusBit::LcdTime) && sim.Lit(StatusBit::DPoint1));
    EXPECT_EQ(r.HHText + ":" + r.LLText, "14:00");

    sim.Click(KeyButton::BtnInterval);
    sim.Click(KeyButton::BtnUp);
    sim.Click(KeyButton::BtnUp);
    sim.Click(KeyButton::BtnDown);
    sim.Poll();
    EXPECT_TRUE(r.IntervalOn && !sim.Lit(StatusBit::LcdTime));
    EXPECT_EQ(r.RecordNoText + " " + r.LLText, "SEt 010");
    EXPECT_FALSE(sim.Lit(StatusBit::LcdOADJ));  // the arrows only stepped the interval

    sim.Click(KeyButton::BtnInterval);  // the plain press returns to the record count
    EXPECT_FALSE(sim.Poll().IntervalOn);
    EXPECT_TRUE(sim.Lit(StatusBit::LcdNo));
    sim.commands.ReadMeterInterval();
    EXPECT_EQ(sim.commands.MeterIntervalReply(), 10);
}

} // namespace
} // namespace voltaryn::sim
