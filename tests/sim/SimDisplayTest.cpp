#include "SimHarness.h"

#include <gtest/gtest.h>

namespace voltaryn::sim {
namespace {


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

} // namespace
} // namespace voltaryn::sim
