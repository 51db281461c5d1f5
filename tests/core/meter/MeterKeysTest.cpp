#include "meter/MeterKeys.h"

#include <gtest/gtest.h>

namespace voltaryn {
namespace {

StatusBits Showing(StatusBit bit)
{
    StatusBits shown;
    shown.Set(bit);
    return shown;
}

TEST(MeterKeysTest, ModeButtonsLeaveTheirModeOnlyWhileItIsShown)
{
    using enum KeyButton;
    using enum StatusBit;
    const std::tuple<KeyButton, StatusBit, KeyPress> cases[] = {  // button, what the display shows, key sent
        {BtnRealTime, LcdTime, {5, 1}}, {BtnRealTime, LcdIntv, {5, 2}},     {BtnInterval, LcdIntv, {5, 1}},
        {BtnInterval, LcdTime, {5, 3}}, {BtnComp, LcdCompUp, {6, 1}},       {BtnComp, LcdPass, {6, 2}},
        {BtnHold, LcdAUTOHOLD, {7, 1}}, {BtnHold, LcdHOLD, {7, 2}},         {BtnHoldOnOff, LcdAUTOHOLD, {7, 1}},
    };
    for (const auto& [button, shown, press] : cases)
        EXPECT_EQ(KeyPressFor(button, Showing(shown)), press) << static_cast<int>(button) << " with " << static_cast<int>(shown);
}

} // namespace
} // namespace voltaryn
