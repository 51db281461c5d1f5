// What the lit status bits of the display mean: the units and words shown, and the keys the
// buttons send.
#include "meter/DisplayUnits.h"
#include "meter/MeterKeys.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace voltaryn {
namespace {

using enum StatusBit;

StatusBits Lit(std::initializer_list<StatusBit> bits)
{
    StatusBits lit;
    for (StatusBit bit : bits)
        lit.Set(bit);
    return lit;
}

TEST(DisplayUnitsTest, EachFieldSpellsItsLitSymbols)
{
    const std::pair<std::initializer_list<StatusBit>, DisplayUnits> cases[] = {
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
