// The simulated meter seen through the real link, commands and decoders.
#include "SimHarness.h"
#include "common/NoEvents.h"

#include "memory/ManualDownload.h"
#include "memory/ManualRecord.h"

#include <gtest/gtest.h>

namespace voltaryn::sim {
namespace {

using namespace std::chrono_literals;

TEST(SimDisplay, ResistanceTakesThePointAndUnitOfTheRangeOrShowsOverload)
{
    // Range code, the shape shown, ohms per unit shown, resolution in ohms.
    const std::tuple<int, const char*, double, double> ranges[] = {
        {1, "d.ddd", 1e-3, 1e-6}, {2, "dd.dd", 1e-3, 1e-5}, {3, "ddd.d", 1e-3, 1e-4},
        {4, "d.ddd", 1, 1e-3},    {5, "dd.dd", 1, 1e-2},    {6, "ddd.d", 1, 1e-1}};
    constexpr double ohms = 0.0025;
    SimHarness sim;
    sim.meter.SetBattery(LeadAcidWith(ohms));
    sim.Click(KeyButton::BtnADJ);  // without the test leads' resistance
    for (const auto& [code, shape, ohmsPerUnit, resolution] : ranges) {
        SCOPED_TRACE(code);
        sim.meter.SetRangeCode(code);
        const std::string text = sim.Poll().ResistanceText;
        EXPECT_TRUE(HasShape(text, shape)) << text;
        EXPECT_EQ(sim.Lit(StatusBit::LcdOhmm), ohmsPerUnit < 1);
        EXPECT_TRUE(sim.Lit(StatusBit::UnitOhm));
        EXPECT_NEAR(std::stod(text) * ohmsPerUnit, ohms, 0.02 * ohms + resolution);
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

// 100 A for ten minutes, leads reversed, in Fahrenheit at range 5: the out-capacity row shows Ah while
// the in-capacity row shows mAh, and the record, which has one unit for all rows, holds the mAh row as Ah.
TEST(ManualMemorySim, AStoredRecordDownloadsAsTheDisplayShowedIt)
{
    SimHarness sim;
    sim.meter.FillMemory(0);
    BatteryProfile strong = LeadAcid12V;
    strong.testAmps = 100;
    sim.meter.SetBattery(strong);
    sim.meter.SetLeadsReversed(true);
    sim.meter.SetFahrenheit(true);
    sim.meter.SetRangeCode(5);
    sim.Advance(600s);
    sim.Poll();
    ASSERT_TRUE(sim.reading.CapMilli[0]);
    ASSERT_FALSE(sim.reading.CapMilli[1]);
    sim.Click(KeyButton::BtnM);
    const std::array<std::string, 7> values = sim.Values();

    testing::NoEvents pump;
    std::vector<RecordRow> rows;
    const ManualDownloadResult result = DownloadManualRecords(
        sim.link, sim.commands, pump, [&](const RecordRow& row, int, int) { rows.push_back(row); });
    EXPECT_EQ(result.end, ManualDownloadEnd::Completed);
    const std::string in = values[4].substr(0, 1) + "." + values[4].substr(1);
    EXPECT_EQ(rows, (std::vector<RecordRow>{{"1", "15-10:10:00", values[0] + " (V)", values[1] + " (Ohm)",
                                             values[2] + " (A)", values[3] + " (\u2109)", in + " (Ah)",
                                             values[5] + " (Ah)", values[6] + " (Ah)"}}));
    EXPECT_EQ(values[0].front(), '-');
}

// Each injected fault spoils exactly the next reply, the one after it is whole again; faults
// scheduled ahead strike after the good replies given, and the cable is pulled after the requests
// given.
TEST(SimFaults, AFaultSpoilsTheNextReplyOnlyAndStrikesWhenScheduled)
{
    SimHarness sim;
    const std::pair<ReplyFault, ReplySource> cases[] = {{ReplyFault::Missing, ReplySource::Previous},
                                                        {ReplyFault::Garbage, ReplySource::Fresh}};
    for (const auto& [fault, source] : cases) {
        sim.backend.InjectFault(fault);
        const Answer<std::string> spoiled = sim.commands.IdentifyMeter();
        EXPECT_EQ(spoiled.source, source);
        EXPECT_NE(spoiled.Fresh() ? *spoiled.value : "", "KAV 71K");
        sim.link.FindMeter();
        EXPECT_EQ(sim.commands.IdentifyMeter().value, "KAV 71K");
    }
    // A short reply carries the status bytes and no display characters.
    sim.backend.InjectFault(ReplyFault::Short);
    EXPECT_EQ(sim.commands.ReadDisplay().value->DisplayChar(1), std::string(1, '\0'));
    EXPECT_NE(sim.commands.ReadDisplay().value->DisplayChar(1), std::string(1, '\0'));

    sim.backend.InjectFault(ReplyFault::Missing, 1, 1);
    EXPECT_TRUE(sim.commands.IdentifyMeter().Fresh());
    EXPECT_FALSE(sim.commands.IdentifyMeter().Fresh());
    sim.link.FindMeter();
    sim.backend.UnplugAfter(1);
    EXPECT_TRUE(sim.commands.IdentifyMeter().Fresh());
    EXPECT_FALSE(sim.commands.IdentifyMeter().Fresh());
    EXPECT_FALSE(sim.link.FindMeter());
}

// Meters plugged in after the first are listed after it and answer for themselves.
TEST(SimFaults, SeveralMetersAnswerEachForItself)
{
    SimHarness sim;
    SimulatedMeter second{[&sim] { return sim.now; }};
    second.SetRangeCode(5);
    sim.backend.AddMeter(second);
    sim.link.SearchOnly(SimulatedHidBackend::MeterPathOf(1));
    ASSERT_TRUE(sim.link.FindMeter());
    EXPECT_EQ(sim.link.DevicePathName(), "sim:meter2");
    EXPECT_EQ(sim.commands.ReadRange().value, 5);
    sim.link.SearchOnly("");
    ASSERT_TRUE(sim.link.FindMeter());
    EXPECT_EQ(sim.commands.ReadRange().value, 2);
    EXPECT_EQ(sim.link.MeterInterfaces().size(), 2u);
}

} // namespace
} // namespace voltaryn::sim
