#include "SimHarness.h"

#include "memory/LoadingCaption.h"
#include "memory/ManualDownload.h"
#include "memory/ManualRecord.h"

#include <gtest/gtest.h>

#include <functional>

namespace voltaryn::sim {
namespace {

using namespace std::chrono_literals;

// Runs a step of the test each time the download lets events run.
class ScriptedPump : public EventPump {
public:
    std::function<void(int calls)> onEvents = [](int) {};
    void LetEventsRun() override { onEvents(++calls_); }

private:
    int calls_ = 0;
};

struct Downloaded {
    ManualDownloadResult result;
    std::vector<RecordRow> rows;
    std::vector<std::string> captions;
};

Downloaded DownloadAll(SimHarness& sim, ScriptedPump pump = {})
{
    Downloaded d;
    d.result = DownloadManualRecords(sim.link, sim.commands, pump, [&](const RecordRow& row, int number, int count) {
        d.rows.push_back(row);
        d.captions.push_back(LoadingCaption(number, count));
    });
    return d;
}

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

    const Downloaded d = DownloadAll(sim);
    EXPECT_EQ(d.result.end, ManualDownloadEnd::Completed);
    ASSERT_EQ(d.rows.size(), 3u);
    EXPECT_EQ(d.rows[0], RowShown(1, "15-10:00:00", fresh, " (mOhm)", " (\u2103)", " (mAh)"));
    EXPECT_EQ(d.rows[1], RowShown(2, "15-10:01:30", reversed, " (Ohm)", " (\u2109)", " (mAh)"));
    EXPECT_EQ(d.rows[2], RowShown(3, "15-10:11:30", mixed, " (Ohm)", " (\u2103)", " (Ah)"));
    EXPECT_EQ(d.rows[1][2].front(), '-');
}

} // namespace
} // namespace voltaryn::sim
