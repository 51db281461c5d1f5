#include "meter/RangeTexts.h"
#include "settings/ComparatorEditors.h"
#include "settings/ComparatorEntry.h"
#include "settings/ComparatorLoad.h"
#include "settings/ComparatorTexts.h"

#include "../link/ScriptedHidBackend.h"

#include <gtest/gtest.h>

namespace voltaryn {
namespace {

// The resistance limit of range code 1..6 ("4 mOhm" .. "400 Ohm") with count 1234.
OhmLimit InRange(int code)
{
    const int decimals = 3 - (code - 1) % 3;
    return {1234, code <= 3, decimals == 3, decimals == 2, decimals == 1};
}

TEST(ComparatorEntry, FlagsTravelInTheMetersBitLayout)
{
    // What is set, how, and the two flag bytes it gives.
    const std::tuple<const char*, void (*)(ComparatorEntry&), std::uint8_t, std::uint8_t> cases[] = {
        {"high 4 mOhm", [](ComparatorEntry& e) { e.HighOhm = InRange(1); }, 0x03, 0},
        {"high 400 Ohm", [](ComparatorEntry& e) { e.HighOhm = InRange(6); }, 0x08, 0},
        {"low 400 Ohm", [](ComparatorEntry& e) { e.LowOhm = InRange(6); }, 0x40, 0},
        {"low 400 mOhm", [](ComparatorEntry& e) { e.LowOhm = InRange(3); }, 0xC0, 0},
        {"low 4 Ohm", [](ComparatorEntry& e) { e.LowOhm = InRange(4); }, 0x10, 0},
        {"volts", [](ComparatorEntry& e) { e.HighVolt.Dot3 = e.LowVolt.Dot2 = true; }, 0, 0x09},
        {"volts swapped", [](ComparatorEntry& e) { e.HighVolt.Dot2 = e.LowVolt.Dot3 = true; }, 0, 0x06},
    };
    for (const auto& [name, set, flags1, flags2] : cases) {
        ComparatorEntry entry;
        set(entry);
        const ComparatorPayload payload = EncodeComparatorEntry(entry);
        EXPECT_EQ(std::pair(payload[8], payload[9]), std::pair(flags1, flags2)) << name;
        EXPECT_EQ(DecodeComparatorEntry(payload), entry) << name;
    }
}

TEST(ComparatorEntry, EveryPairOfRangesSurvivesTheRoundTrip)
{
    for (int high = 1; high <= 6; ++high) {
        for (int low = 1; low <= 6; ++low) {
            const ComparatorEntry entry{InRange(high), InRange(low), {6000, false, true}, {1100, false, true}};
            const ComparatorEntry back = DecodeComparatorEntry(EncodeComparatorEntry(entry));
            EXPECT_EQ(back, entry) << high << "," << low;
            EXPECT_EQ(std::tuple(back.HighOhm.Range(), back.LowOhm.Range()), std::tuple(RangeTexts.at(high - 1), RangeTexts.at(low - 1)));
        }
    }
}

TEST(ComparatorTexts, ShownValueIsTheShortestForm)
{
    const std::tuple<int, std::optional<int>, std::string> cases[] = {
        {1500, 2, "15"},  {5, 3, "0.005"},  {0, 3, "0"},          {1234, 3, "1.234"},
        {1230, 1, "123"}, {9999, 1, "999.9"}, {1010, 2, "10.1"}, {1234, std::nullopt, "1234 (no point)"},
    };
    for (const auto& [count, decimals, text] : cases)
        EXPECT_EQ(ShownValue(count, decimals), text) << count;
}

TEST(ComparatorTexts, RowShowsValuesWithRangesAndMarksUnknownPoints)
{
    ComparatorPayload payload{0x05, 0xDC, 0x00, 0x00, 0x04, 0xD2, 0x17, 0x70, 0x14, 0x09};
    EXPECT_EQ(ComparatorRow(7, DecodeComparatorEntry(payload)),
              (ComparatorRowTexts{"7", "15 / 40 Ohm", "0 / 4 Ohm", "1.234", "60"}));

    payload[8] = 0xC0 | 0x03;  // low 400 mOhm, high 4 mOhm
    payload[9] = 0x0C;         // low voltage both XX.XX and X.XXX, high voltage neither
    EXPECT_EQ(ComparatorRow(8, DecodeComparatorEntry(payload)),
              (ComparatorRowTexts{"8", "1.5 / 4 mOhm", "0 / 400 mOhm", "1234 (no point)", "6000 (no point)"}));

    payload[8] = 0x01 | 0x70;  // high in mOhm without a range, low with all three ranges
    EXPECT_EQ(ComparatorRow(9, DecodeComparatorEntry(payload)),
              (ComparatorRowTexts{"9", "1500 (no point) / mOhm", "0 (no point) / Ohm", "1234 (no point)",
                                  "6000 (no point)"}));
}

TEST(ComparatorEditors, JoinReadsDigitsUpToTheFirstNonDigit)
{
    const std::pair<DigitTexts, int> cases[] = {
        {{"1", "2", "x", "4"}, 12}, {{"1", "", "3", "4"}, 134}, {{"", "", "", ""}, 0},   {{"x", "1", "2", "3"}, 0},
        {{"0", "0", "0", "5"}, 5},  {{"9", "9", "9", "9"}, 9999}, {{"1", " 2", "3", "4"}, 1}, {{"99", "99", "9", "9"}, 9999},
    };
    for (const auto& [digits, value] : cases)
        EXPECT_EQ(JoinDigits(digits), value) << digits[0] << "|" << digits[1] << "|" << digits[2] << "|" << digits[3];
}

TEST(ComparatorEditors, VoltagesAtTwoDecimalsAreClampedToSixtyVoltsBeforeTheyAreSent)
{
    // The option (decimals), the digits typed, the digits shown after "Update", the count sent.
    const std::tuple<std::optional<int>, DigitTexts, DigitTexts, int> cases[] = {
        {2, {"7", "0", "0", "0"}, {"6", "0", "0", "0"}, 6000},
        {2, {"6", "0", "0", "1"}, {"6", "0", "0", "0"}, 6000},
        {2, {"6", "0", "0", "0"}, {"6", "0", "0", "0"}, 6000},
        {2, {"9", "x", "9", "9"}, {"9", "x", "9", "9"}, 9},
        {3, {"9", "9", "9", "9"}, {"9", "9", "9", "9"}, 9999},
    };
    for (const auto& [option, typed, shown, count] : cases) {
        ComparatorEditors editors;
        editors.highVolt = {typed, option};
        editors.lowVolt = {typed, option};
        const ComparatorEntry entry = BuildEntry(editors);
        const VoltLimit sent{count, option == 3, option == 2};
        EXPECT_EQ(std::tuple(editors.highVolt.digits, editors.lowVolt.digits, entry.HighVolt, entry.LowVolt),
                  std::tuple(shown, shown, sent, sent)) << typed[0] << typed[1];
    }
}

// Untouched editors send zeros at XXX.X mOhm and X.XXX V. Picking a row fills the editors, and
// "Update" sends the entry back as it was read; a limit whose point is not known gets no option and
// goes back without range flags.
TEST(ComparatorEditors, UntouchedEditorsSendZerosAndAPickedEntryIsSentBackAsRead)
{
    const std::tuple<const char*, ComparatorEditors, ComparatorPayload> cases[] = {  // what, editors, entry sent
        {"untouched", {}, {0, 0, 0, 0, 0, 0, 0, 0, 0xC9, 0x05}},
        {"high 1.234 in 4 mOhm, low 400.0 in 400 mOhm, 14.00 V and 11.50 V",
         EditorsFor(DecodeComparatorEntry({0x04, 0xD2, 0x0F, 0xA0, 0x05, 0x78, 0x04, 0x7E, 0xC3, 0x0A})),
         {0x04, 0xD2, 0x0F, 0xA0, 0x05, 0x78, 0x04, 0x7E, 0xC3, 0x0A}},
        {"high in mOhm without a range, low in Ohm with two, high volts without a point, low volts with two",
         EditorsFor(DecodeComparatorEntry({0x04, 0xD2, 0x00, 0x05, 0x04, 0xB0, 0x04, 0x4C, 0x31, 0x0C})),
         {0x04, 0xD2, 0x00, 0x05, 0x04, 0xB0, 0x04, 0x4C, 0x01, 0x00}},
    };
    for (auto [what, editors, sent] : cases)
        EXPECT_EQ(EncodeComparatorEntry(BuildEntry(editors)), sent) << what;
}

// The reply to a read of entry n: high resistance count n at 40 mOhm, the rest zero.
std::vector<std::uint8_t> EntryReply(int n)
{
    std::vector<std::uint8_t> reply(65, 0);
    reply[3] = static_cast<std::uint8_t>(n);
    reply[10] = 0x05;
    return reply;
}

struct ComparatorLoad : ::testing::Test, EventPump, testing::ScriptedMeter {
    void LetEventsRun() override { log.emplace_back("events"); }

    ComparatorLoadResult Load(int replies)
    {
        for (int n = 1; n <= replies; ++n)
            backend.Reply(EntryReply(n));
        return LoadComparatorTable(commands, table, *this, [&](const ComparatorRowTexts& row) {
            log.push_back(row[0] + ":" + row[1]);
        });
    }

    ComparatorTable table;
    std::vector<std::string> log;
};

TEST_F(ComparatorLoad, ReadsAllEntriesInOrderWithEventsAfterEachRow)
{
    const ComparatorLoadResult result = Load(99);
    EXPECT_TRUE(result.Complete());
    ASSERT_EQ(log.size(), 198u);
    EXPECT_EQ(std::tuple(log[196], table.At(99).HighOhm.Count), std::tuple("99:0.99 / 40 mOhm", 99));
    EXPECT_EQ(backend.Heads(6).back(), (std::vector<std::uint8_t>{0, 65, 2, 6, 99, 0}));
}

TEST_F(ComparatorLoad, StopsWhenTheMeterStopsAnsweringAndKeepsWhatItRead)
{
    table.At(4).LowOhm.Count = 777;
    const ComparatorLoadResult result = Load(3);
    EXPECT_FALSE(result.Complete());
    EXPECT_EQ(result.entriesRead, 3);
    EXPECT_EQ(log, (std::vector<std::string>{"1:0.01 / 40 mOhm", "events", "2:0.02 / 40 mOhm", "events",
                                             "3:0.03 / 40 mOhm", "events"}));
    EXPECT_EQ(table.At(3).HighOhm.Count, 3);
    ComparatorEntry untouched;
    untouched.LowOhm.Count = 777;
    EXPECT_EQ(table.At(4), untouched);
}

TEST(ComparatorTable, RefusesNumbersOutsideTheMetersEntries)
{
    ComparatorTable table;
    for (const int number : {0, -1, 100})
        EXPECT_THROW(table.At(number), std::out_of_range) << number;
}

} // namespace
} // namespace voltaryn
