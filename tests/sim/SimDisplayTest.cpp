#include "SimHarness.h"

#include <gtest/gtest.h>

namespace voltaryn::sim {
namespace {

using namespace std::chrono_literals;

BatteryProfile LeadAcidWith(double internalOhms)
{
    BatteryProfile battery = LeadAcid12V;
    battery.internalOhms = internalOhms;
    return battery;
}

TEST(SimDisplay, ResistanceTakesThePointAndUnitOfTheRangeOrShowsOverload)
{
    struct Range {
        int code;
        const char* shape;
        double ohmsPerUnit;
        double resolution;  // ohm
    };
    const Range ranges[] = {{1, "d.ddd", 1e-3, 1e-6}, {2, "dd.dd", 1e-3, 1e-5}, {3, "ddd.d", 1e-3, 1e-4},
                            {4, "d.ddd", 1, 1e-3},    {5, "dd.dd", 1, 1e-2},    {6, "ddd.d", 1, 1e-1}};
    constexpr double ohms = 0.0025;
    SimHarness sim;
    sim.meter.SetBattery(LeadAcidWith(ohms));
    sim.Click(KeyButton::BtnADJ);  // without the test leads' resistance
    for (const Range& range : ranges) {
        SCOPED_TRACE(range.code);
        sim.meter.SetRangeCode(range.code);
        const std::string text = sim.Poll().ResistanceText;
        EXPECT_TRUE(HasShape(text, range.shape)) << text;
        EXPECT_EQ(sim.Lit(StatusBit::LcdOhmm), range.ohmsPerUnit < 1);
        EXPECT_TRUE(sim.Lit(StatusBit::UnitOhm));
        EXPECT_NEAR(std::stod(text) * range.ohmsPerUnit, ohms, 0.02 * ohms + range.resolution);
    }

    sim.meter.SetBattery(LeadAcidWith(0.035));
    sim.meter.SetRangeCode(1);
    EXPECT_EQ(sim.Poll().ResistanceText, "");
    EXPECT_EQ(sim.panel.Digits(NumericField::Resistance), (std::array<std::string, 4>{" ", "O", "L", " "}));
}

TEST(SimDisplay, TemperatureUnitFollowsTheKnobAndTheCfKey)
{
    SimHarness sim;
    const double celsius = std::stod(sim.Poll().TemperatureText);
    sim.meter.SetFahrenheit(true);
    const MeterReading& r = sim.Poll();
    EXPECT_EQ(r.TempUnitText, "Fahrenheih");
    EXPECT_FALSE(sim.Lit(StatusBit::UnitC));
    EXPECT_NEAR(std::stod(r.TemperatureText), celsius * 9 / 5 + 32, 0.2);

    sim.Click(KeyButton::BtnCF);
    EXPECT_EQ(sim.Poll().TempUnitText, "Celsius");
}

TEST(SimDisplay, GarbageAndShortRepliesStillDecode)
{
    SimHarness sim;
    sim.backend.InjectFault(ReplyFault::Garbage, 20);
    MeterLink::Report previous{};
    for (int i = 0; i < 20; ++i) {
        EXPECT_NO_THROW(sim.Poll());
        EXPECT_NE(sim.link.InputReport(), previous);
        previous = sim.link.InputReport();
    }

    sim.backend.InjectFault(ReplyFault::Short);
    sim.Poll();
    const MeterLink::Report& reply = sim.link.InputReport();
    EXPECT_TRUE(std::all_of(reply.begin() + SimulatedHidBackend::ShortReplyLength, reply.end(),
                            [](std::uint8_t b) { return b == 0; }));
    EXPECT_TRUE(sim.Lit(StatusBit::UnitV));  // the status bytes came through
}

} // namespace
} // namespace voltaryn::sim
