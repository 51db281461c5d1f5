// The display packet decoded into the reading, and what its lit status bits mean: the units and
// words shown, and the keys the buttons send.
#include "meter/DisplayDecoder.h"
#include "meter/DisplayUnits.h"
#include "meter/MeterKeys.h"

#include "common/CaseFile.h"

#include <gtest/gtest.h>

#include <vector>
#include <map>

namespace voltaryn {
namespace {

// The fields of a reading the cases in tests/data/display may name, as texts.
std::map<std::string, std::string> Fields(const MeterReading& r)
{
    const auto flag = [](bool on) { return on ? "true" : "false"; };
    return {{"VoltageText", r.VoltageText}, {"ResistanceText", r.ResistanceText}, {"CurrentText", r.CurrentText},
            {"TemperatureText", r.TemperatureText}, {"CapacityText0", r.CapacityText[0]}, {"CapacityText1", r.CapacityText[1]},
            {"CapacityText2", r.CapacityText[2]}, {"CapMilli0", flag(r.CapMilli[0])}, {"CapMilli2", flag(r.CapMilli[2])},
            {"CapAh", flag(r.CapAh)}, {"PercentText0", r.PercentText[0]}, {"PercentText1", r.PercentText[1]},
            {"RecordNoText", r.RecordNoText}, {"HHText", r.HHText}, {"LLText", r.LLText}, {"TempUnitText", r.TempUnitText},
            {"TempIsCelsius", flag(r.TempIsCelsius)}, {"AutoMemoryOn", flag(r.AutoMemoryOn)}, {"IntervalOn", flag(r.IntervalOn)}};
}

TEST(DisplayDecoderTest, DecodesEveryRecordedPacket)
{
    const std::vector<testing::TestCase> cases = testing::ReadCases("display");
    ASSERT_GE(cases.size(), 15u);
    for (const testing::TestCase& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_FALSE(c.texts.empty());
        MeterReading reading;
        DecodeDisplay(SplitDisplayPacket(c.bytes), reading);
        const std::map<std::string, std::string> fields = Fields(reading);
        for (const auto& [field, value] : c.texts) {
            ASSERT_TRUE(fields.contains(field)) << field;
            EXPECT_EQ(fields.at(field), value) << field;
        }
    }
}

// The unit the reading keeps when a packet lights neither: the one last lit.
TEST(DisplayDecoderTest, TemperatureUnitIsKeptWhenNeitherUnitIsLit)
{
    MeterReading reading;
    for (const auto& [packet, celsius] : {std::pair{"temperature_sign", true}, {"empty_reply", true},
                                          {"fahrenheit_wins", false}, {"empty_reply", false}}) {
        const testing::TestCase c = testing::ReadCases(std::string("display/") + packet + ".hex").front();
        DecodeDisplay(SplitDisplayPacket(c.bytes), reading);
        EXPECT_EQ(reading.TempIsCelsius, celsius) << packet;
    }
    EXPECT_EQ(reading.TempUnitText, "");
}

using enum StatusBit;

StatusBits Lit(const std::vector<StatusBit>& bits)
{
    StatusBits lit;
    for (StatusBit bit : bits)
        lit.Set(bit);
    return lit;
}

TEST(DisplayUnitsTest, EachFieldSpellsItsLitSymbols)
{
    const std::pair<std::vector<StatusBit>, DisplayUnits> cases[] = {
        {{}, {}},
        {{UnitV, UnitOhm, LcdOhmm, UnitA, UnitC, LcdAh, Lcdm1}, {"V", "mOhm", "A", "°C", {"Ah", "mAh", "Ah"}}},
        {{UnitV, LcdVm, UnitOhm, LcdAV, UnitC, UnitF}, {"mV", "Ohm", "V", "°F", {}}},
        {{UnitVOhm, LcdVm, LcdTemV, Lcdm0}, {"mOhm", "", "", "V", {}}},
    };
    for (const auto& [lit, units] : cases)
        EXPECT_EQ(UnitsShown(Lit(lit)), units);
}

TEST(DisplayUnitsTest, WordsComeInReadingOrderWithoutFieldCaptions)
{
    EXPECT_TRUE(WordsShown(Lit({LcdCapLabels, LcdNo, LcdAuto})).empty());
    EXPECT_EQ(WordsShown(Lit({LcdFail, LcdCompUp, LcdHOLD, LcdAM, LcdIntv})),
              (std::vector<std::string_view>{"HOLD", "AM", "INTV", "COMP", "FAIL"}));
}

TEST(MeterKeysTest, ModeButtonsLeaveTheirModeOnlyWhileItIsShown)
{
    using enum KeyButton;
    const std::tuple<KeyButton, StatusBit, KeyPress> cases[] = {  // button, what the display shows, key sent
        {BtnRealTime, LcdTime, {5, 1}}, {BtnRealTime, LcdIntv, {5, 2}},     {BtnInterval, LcdIntv, {5, 1}},
        {BtnInterval, LcdTime, {5, 3}}, {BtnComp, LcdCompUp, {6, 1}},       {BtnComp, LcdPass, {6, 2}},
        {BtnHold, LcdAUTOHOLD, {7, 1}}, {BtnHold, LcdHOLD, {7, 2}},         {BtnHoldOnOff, LcdAUTOHOLD, {7, 1}},
    };
    for (const auto& [button, shown, press] : cases)
        EXPECT_EQ(KeyPressFor(button, Lit({shown})), press) << static_cast<int>(button) << " with " << static_cast<int>(shown);
}

} // namespace
} // namespace voltaryn
