#include "meter/DisplayUnits.h"

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
    struct Case {
        std::initializer_list<StatusBit> lit;
        DisplayUnits units;
    };
    const Case cases[] = {
        {{}, {}},
        {{UnitV, UnitOhm, LcdOhmm, UnitA, UnitC, LcdAh, Lcdm1},
         {"V", "mOhm", "A", "°C", {"Ah", "mAh", "Ah"}}},
        {{UnitV, LcdVm, UnitOhm, LcdAV, UnitC, UnitF}, {"mV", "Ohm", "V", "°F", {}}},
        {{UnitVOhm, LcdVm, LcdTemV, Lcdm0}, {"mOhm", "", "", "V", {}}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(UnitsShown(Lit(c.lit)), c.units);
}

TEST(DisplayUnitsTest, WordsComeInReadingOrderWithoutFieldCaptions)
{
    EXPECT_TRUE(WordsShown(Lit({LcdCapLabels, LcdNo, LcdAuto})).empty());
    EXPECT_EQ(WordsShown(Lit({LcdFail, LcdCompUp, LcdHOLD, LcdAM, LcdIntv})),
              (std::vector<std::string_view>{"HOLD", "AM", "INTV", "COMP", "FAIL"}));
}

} // namespace
} // namespace voltaryn
