#include "ui/panel/KeyPadView.h"

#include "support/QtPrinting.h"

#include <QAbstractButton>

#include <gtest/gtest.h>

#include <vector>

namespace voltaryn {
namespace {

struct KeyRow {
    const char* name;
    KeyButton button;
    const char* caption;  // nullptr for a picture button
};

const KeyRow KeyTable[] = {
    {"BtnM", KeyButton::BtnM, "Single or Stop"},
    {"BtnAM", KeyButton::BtnAM, "Auto Memory"},
    {"BtnDM", KeyButton::BtnDM, "Auto Data "},
    {"BtnLeft", KeyButton::BtnLeft, nullptr},
    {"BtnBeeper", KeyButton::BtnBeeper, nullptr},
    {"BtnCF", KeyButton::BtnCF, nullptr},
    {"BtnDown", KeyButton::BtnDown, nullptr},
    {"BtnADJ", KeyButton::BtnADJ, "0ADJ"},
    {"BtnDecimalPoint", KeyButton::BtnDecimalPoint, "Decimal point"},
    {"BtnUp", KeyButton::BtnUp, nullptr},
    {"BtnRead", KeyButton::BtnRead, nullptr},
    {"BtnRight", KeyButton::BtnRight, nullptr},
    {"BtnRealTime", KeyButton::BtnRealTime, "Real Time"},
    {"BtnInterval", KeyButton::BtnInterval, "Inteval"},
    {"BtnCompOnOff", KeyButton::BtnCompOnOff, "COMP ON/OFF"},
    {"BtnComp", KeyButton::BtnComp, "COMP"},
    {"BtnHoldOnOff", KeyButton::BtnHoldOnOff, "Hold ON/OFF"},
    {"BtnHold", KeyButton::BtnHold, "HOLD"},
};

QAbstractButton* Button(const KeyPadView& pad, const char* name)
{
    return pad.findChild<QAbstractButton*>(QString::fromLatin1(name));
}

TEST(PanelKeyPad, CaptionsAndPicturesAreAsPrinted)
{
    const KeyPadView pad;
    EXPECT_EQ(pad.objectName(), "SSPKeyButton");
    EXPECT_EQ(pad.findChildren<QAbstractButton*>().size(), std::size(KeyTable));
    for (const KeyRow& row : KeyTable) {
        SCOPED_TRACE(row.name);
        const QAbstractButton* button = Button(pad, row.name);
        ASSERT_NE(button, nullptr);
        if (row.caption != nullptr) {
            EXPECT_EQ(button->text(), QString::fromLatin1(row.caption));
        } else {
            EXPECT_TRUE(button->text().isEmpty());
            EXPECT_FALSE(button->icon().isNull());
            EXPECT_FALSE(button->accessibleName().isEmpty());
            EXPECT_EQ(button->toolTip(), button->accessibleName());
        }
    }
}

} // namespace
} // namespace voltaryn
