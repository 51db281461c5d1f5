#include "ui/common/Twips.h"

#include "support/QtPrinting.h"

#include <gtest/gtest.h>

namespace voltaryn {
namespace {

TEST(PanelTwips, FifteenTwipsMakeAPixelAt96DpiScaleWithTheScreenAndKeepRectanglesTouching)
{
    const Twips standard(96);
    EXPECT_EQ(standard.ToPixels(15), 1);
    EXPECT_EQ(standard.ToPixels(4440), 296);
    EXPECT_EQ(Twips(144).ToPixels(4440), 444);
    EXPECT_EQ(Twips(192).Size(4785, 7980), QSize(638, 1064));

    const QRect left = standard.Rect(735, 1440, 270, 555);
    const QRect right = standard.Rect(1005, 1440, 270, 555);
    EXPECT_EQ(left.right() + 1, right.left());
    EXPECT_EQ(left, QRect(49, 96, 18, 37));
}

} // namespace
} // namespace voltaryn
