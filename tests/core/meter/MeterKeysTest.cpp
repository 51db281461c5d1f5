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
    EXPECT_EQ(KeyPressFor(KeyButton::BtnRealTime, Showing(StatusBit::LcdTime)), (KeyPress{5, 1}));
    EXPECT_EQ(KeyPressFor(KeyButton::BtnRealTime, Showing(StatusBit::LcdIntv)), (KeyPress{5, 2}));
    EXPECT_EQ(KeyPressFor(KeyButton::BtnInterval, Showing(StatusBit::LcdIntv)), (KeyPress{5, 1}));
    EXPECT_EQ(KeyPressFor(KeyButton::BtnInterval, Showing(StatusBit::LcdTime)), (KeyPress{5, 3}));
    EXPECT_EQ(KeyPressFor(KeyButton::BtnComp, Showing(StatusBit::LcdCompUp)), (KeyPress{6, 1}));
    EXPECT_EQ(KeyPressFor(KeyButton::BtnComp, Showing(StatusBit::LcdPass)), (KeyPress{6, 2}));
    EXPECT_EQ(KeyPressFor(KeyButton::BtnHold, Showing(StatusBit::LcdAUTOHOLD)), (KeyPress{7, 1}));
    EXPECT_EQ(KeyPressFor(KeyButton::BtnHold, Showing(StatusBit::LcdHOLD)), (KeyPress{7, 2}));
    EXPECT_EQ(KeyPressFor(KeyButton::BtnHoldOnOff, Showing(StatusBit::LcdAUTOHOLD)), (KeyPress{7, 1}));
}

} // namespace
} // namespace voltaryn
