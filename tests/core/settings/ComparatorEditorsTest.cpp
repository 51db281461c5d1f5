#include "settings/ComparatorEditors.h"

#include <gtest/gtest.h>

namespace voltaryn {
namespace {

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
        EXPECT_EQ(editors.highVolt.digits, shown) << typed[0] << typed[1];
        EXPECT_EQ(editors.lowVolt.digits, shown) << typed[0] << typed[1];
        const VoltLimit sent{count, option == 3, option == 2};
        EXPECT_EQ(entry.HighVolt, sent);
        EXPECT_EQ(entry.LowVolt, sent);
    }
}

TEST(ComparatorEditors, UntouchedEditorsSendZerosAtXxxxMilliohmAndXxxxVolts)
{
    ComparatorEditors editors;
    const ComparatorPayload payload = EncodeComparatorEntry(BuildEntry(editors));
    EXPECT_EQ(payload, (ComparatorPayload{0, 0, 0, 0, 0, 0, 0, 0, 0xC9, 0x05}));
}

// Picking a row fills the editors, and "Update" sends the entry back as it was read; a limit whose
// point is not known gets no option and goes back without range flags.
TEST(ComparatorEditors, APickedEntryIsSentBackAsRead)
{
    const std::pair<ComparatorPayload, ComparatorPayload> cases[] = {
        // high 1.234 in 4 mOhm, low 400.0 in 400 mOhm, 14.00 V and 11.50 V
        {{0x04, 0xD2, 0x0F, 0xA0, 0x05, 0x78, 0x04, 0x7E, 0xC3, 0x0A},
         {0x04, 0xD2, 0x0F, 0xA0, 0x05, 0x78, 0x04, 0x7E, 0xC3, 0x0A}},
        // high in mOhm without a range, low in Ohm with two, high volts without a point, low volts with two
        {{0x04, 0xD2, 0x00, 0x05, 0x04, 0xB0, 0x04, 0x4C, 0x31, 0x0C},
         {0x04, 0xD2, 0x00, 0x05, 0x04, 0xB0, 0x04, 0x4C, 0x01, 0x00}},
    };
    for (const auto& [picked, sent] : cases) {
        ComparatorEditors editors = EditorsFor(DecodeComparatorEntry(picked));
        EXPECT_EQ(EncodeComparatorEntry(BuildEntry(editors)), sent) << int(picked[8]);
    }
}

} // namespace
} // namespace voltaryn
