#include "SimHarness.h"
#include "settings/ComparatorEditors.h"

#include <gtest/gtest.h>

namespace voltaryn::sim {
namespace {

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

} // namespace
} // namespace voltaryn::sim
