#include "meter/RangeTexts.h"
#include "settings/ComparatorEntry.h"
#include "settings/ComparatorTexts.h"

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
            EXPECT_EQ(back.HighOhm.Range(), RangeTexts.at(high - 1));
            EXPECT_EQ(back.LowOhm.Range(), RangeTexts.at(low - 1));
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

} // namespace
} // namespace voltaryn
