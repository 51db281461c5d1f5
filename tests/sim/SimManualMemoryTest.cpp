#include "SimHarness.h"

#include "memory/ManualDownload.h"
#include "memory/ManualRecord.h"

#include <gtest/gtest.h>

namespace voltaryn::sim {
namespace {

using namespace std::chrono_literals;

struct NoEvents : EventPump {
    void LetEventsRun() override {}
};

// The list row a download gives for what the display showed: each value with its record unit.
RecordRow RowShown(int number, const std::string& stamp, const std::array<std::string, 7>& values,
                   const char* resistanceUnit, const char* temperatureUnit, const char* capacityUnit)
{
    const char* units[] = {" (V)", resistanceUnit, " (A)", temperatureUnit, capacityUnit, capacityUnit, capacityUnit};
    RecordRow row{std::to_string(number), stamp};
    for (std::size_t i = 0; i < values.size(); ++i)
        row.push_back(values[i] + units[i]);
    return row;
}

TEST(ManualMemorySim, StoredRecordsDownloadAsTheDisplayShowedThem)
{
    SimHarness sim;
    sim.meter.FillMemory(0);
    sim.Poll();
    sim.Click(KeyButton::BtnM);
    const auto fresh = sim.Values();

    sim.Advance(90s);
    sim.meter.SetLeadsReversed(true);
    sim.meter.SetFahrenheit(true);
    sim.meter.SetRangeCode(5);
    sim.Poll();
    sim.Click(KeyButton::BtnM);
    const auto reversed = sim.Values();

    // 100 A for ten minutes: the out-capacity row shows Ah while the in-capacity row shows mAh,
    // and the record, which has one unit for all rows, holds the mAh row as Ah.
    BatteryProfile strong = LeadAcid12V;
    strong.testAmps = 100;
    sim.meter.SetBattery(strong);
    sim.meter.SetFahrenheit(false);
    sim.Advance(600s);
    sim.Poll();
    ASSERT_TRUE(sim.reading.CapMilli[0]);
    ASSERT_FALSE(sim.reading.CapMilli[1]);
    sim.Click(KeyButton::BtnM);
    auto mixed = sim.Values();
    mixed[4] = mixed[4].substr(0, 1) + "." + mixed[4].substr(1);

    NoEvents pump;
    std::vector<RecordRow> rows;
    const ManualDownloadResult result = DownloadManualRecords(
        sim.link, sim.commands, pump, [&](const RecordRow& row, int, int) { rows.push_back(row); });
    EXPECT_EQ(result.end, ManualDownloadEnd::Completed);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0], RowShown(1, "15-10:00:00", fresh, " (mOhm)", " (\u2103)", " (mAh)"));
    EXPECT_EQ(rows[1], RowShown(2, "15-10:01:30", reversed, " (Ohm)", " (\u2109)", " (mAh)"));
    EXPECT_EQ(rows[2], RowShown(3, "15-10:11:30", mixed, " (Ohm)", " (\u2103)", " (Ah)"));
    EXPECT_EQ(rows[1][2].front(), '-');
}

} // namespace
} // namespace voltaryn::sim
