// The simulated meter seen through the real link, commands and decoders.
#include "SimHarness.h"
#include "common/NoEvents.h"

#include "memory/ManualDownload.h"
#include "memory/ManualRecord.h"
#include "memory/SdCard.h"
#include "memory/SdDownload.h"
#include "memory/SdListing.h"
#include "settings/ComparatorEditors.h"

#include <gtest/gtest.h>

#include <cstdlib>

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
        EXPECT_EQ(std::pair(sim.Lit(StatusBit::LcdOhmm), sim.Lit(StatusBit::UnitOhm)), std::pair(ohmsPerUnit < 1, true));
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
    EXPECT_EQ(std::tuple(r.TempUnitText, sim.Lit(StatusBit::UnitC)), std::tuple("Fahrenheih", false));
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
    ASSERT_TRUE(sim.reading.CapMilli[0] && !sim.reading.CapMilli[1]);
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
    EXPECT_EQ(std::tuple(sim.commands.ReadRange().value, sim.link.MeterInterfaces().size()), std::tuple(2, 2u));
}

// The verdict the display shows.
std::string Verdict(SimHarness& sim)
{
    sim.Poll();
    return sim.Lit(StatusBit::LcdPass) ? "PASS" : sim.Lit(StatusBit::LcdWarning) ? "WARNING"
           : sim.Lit(StatusBit::LcdFail)  ? "FAIL"
                                          : "none";
}

// An entry reads back as written and its neighbour is kept; the verdict follows the edited limits
// of the selected entry.
TEST(SimComparator, VerdictFollowsTheEditedLimitsOfTheSelectedEntry)
{
    SimHarness sim;
    const ComparatorPayload written{0x04, 0xD2, 0x00, 0x05, 0x17, 0x70, 0x00, 0x00, 0xC3, 0x06};
    const ComparatorPayload neighbour = *sim.commands.ReadComparatorEntry(43).value;
    sim.commands.WriteComparatorEntry(42, written);
    const Answer<ComparatorPayload> back = sim.commands.ReadComparatorEntry(42);
    EXPECT_TRUE(back.Fresh());
    EXPECT_EQ(*back.value, written);
    EXPECT_EQ(*sim.commands.ReadComparatorEntry(43).value, neighbour);

    sim.meter.SetBattery(LeadAcidWith(0.005));
    sim.Click(KeyButton::BtnADJ);  // without the test leads' resistance
    EXPECT_EQ(Verdict(sim), "none");
    sim.Click(KeyButton::BtnCompOnOff);
    EXPECT_EQ(Verdict(sim), "PASS");

    // Edits of entry 1 as the comparator window sends them: limits in mOhm at XX.XX, volts at XX.XX.
    // The high and low resistance limits, the high and low voltage limits, the verdict.
    const std::tuple<DigitTexts, DigitTexts, DigitTexts, DigitTexts, const char*> edits[] = {
        {{"0", "6", "0", "0"}, {"0", "4", "0", "0"}, {"1", "4", "0", "0"}, {"1", "2", "0", "0"}, "WARNING"},
        {{"0", "4", "5", "0"}, {"0", "4", "0", "0"}, {"1", "4", "0", "0"}, {"1", "2", "0", "0"}, "FAIL"},
        {{"0", "8", "0", "0"}, {"0", "6", "0", "0"}, {"1", "4", "0", "0"}, {"1", "2", "0", "0"}, "PASS"},
        {{"0", "8", "0", "0"}, {"0", "6", "0", "0"}, {"1", "2", "0", "0"}, {"1", "1", "0", "0"}, "FAIL"},
        {{"0", "8", "0", "0"}, {"0", "6", "0", "0"}, {"1", "4", "0", "0"}, {"1", "3", "0", "0"}, "FAIL"},
    };
    for (const auto& [highOhm, lowOhm, highVolt, lowVolt, verdict] : edits) {
        ComparatorEditors editors;
        editors.highOhm = {highOhm, 2, std::string(MilliOhmUnitText)};
        editors.lowOhm = {lowOhm, 2, std::string(MilliOhmUnitText)};
        editors.highVolt = {highVolt, 2};
        editors.lowVolt = {lowVolt, 2};
        sim.commands.WriteComparatorEntry(1, EncodeComparatorEntry(BuildEntry(editors)));
        EXPECT_EQ(Verdict(sim), verdict) << highOhm[1] << lowOhm[1] << highVolt[1] << lowVolt[1];
    }

    // Entry 2 still holds its demo limits, which the battery passes once it is selected.
    sim.Click(KeyButton::BtnComp);
    sim.Click(KeyButton::BtnUp);
    EXPECT_EQ(Verdict(sim), "PASS");
}

// Collects what listings and downloads yield.
struct Collected : SdListingSink, SdDownloadSink, EventPump {
    std::vector<std::pair<int, int>> numbersAndRecords;
    std::vector<std::string> dateTimes;
    std::string startAndInterval;
    std::vector<RecordRow> rows;

    void Entry(const SdFileEntry& entry) override
    {
        numbersAndRecords.emplace_back(entry.number, entry.records);
        dateTimes.push_back(entry.dateTime);
    }
    void StartTime(const std::string& text) override { startAndInterval += text + "|"; }
    void Interval(const std::string& text) override { startAndInterval += text; }
    void Row(const RecordRow& row) override { rows.push_back(row); }
    void Progress(const std::string&) override {}
    void LetEventsRun() override {}
};

TEST(SimSdCard, ListsEveryFileOfTheCardOverSeveralBlocks)
{
    SimHarness sim;
    const SimTime march1 = std::chrono::sys_days{std::chrono::year{2024} / 3 / 1};
    for (int number = 20; number < 28; ++number)
        sim.meter.Card().AddFile({number, march1 + std::chrono::seconds{number}, 5s, number * 10});
    Collected all;
    EXPECT_EQ(ListSdFiles(sim.link, all, RequestSdSummary(sim.link).value->fileCount, all), SdListingEnd::Completed);
    std::vector<std::pair<int, int>> expected;
    for (const SdFile& file : sim.meter.Card().Files())
        expected.emplace_back(file.number, file.records);
    EXPECT_EQ(all.numbersAndRecords, expected);
    EXPECT_EQ(all.dateTimes.at(1) + " " + all.dateTimes.at(11), "24/03/12 10:00:00 24/03/01 00:00:27");
}

// The cells of columns 2..8 that are not a number and nothing else.
std::vector<std::string> CellsNotNumbers(const std::vector<RecordRow>& rows)
{
    std::vector<std::string> bad;
    for (const RecordRow& row : rows) {
        for (std::size_t column = 2; column < row.size(); ++column) {
            char* end = nullptr;
            std::strtod(row[column].c_str(), &end);
            if (row[column].empty() || *end != '\0')
                bad.push_back(row[column]);
        }
    }
    return bad;
}

TEST(SimSdCard, DemoCardsLongFileDownloadsEveryRecordAtItsTime)
{
    SimHarness sim;
    Collected c;
    EXPECT_EQ(DownloadSdFile(sim.link, c, 1, 5000, c), SdDownloadEnd::Completed);
    EXPECT_EQ(c.startAndInterval, "    2024/03/12   10:00:00|     2 sec");
    ASSERT_EQ(c.rows.size(), 5000u);
    const RecordRow firstAndLast = {c.rows[0][0], c.rows[0][1], c.rows.back()[0], c.rows.back()[1]};
    EXPECT_EQ(firstAndLast, (RecordRow{"1", "10:00:00", "5000", "12:46:38"}));  // 4999 × 2 s later
    EXPECT_EQ(CellsNotNumbers(c.rows), std::vector<std::string>{});
}

} // namespace
} // namespace voltaryn::sim
