#include "ui/common/ScreenFit.h"

#include <gtest/gtest.h>

namespace voltaryn {
namespace {

// A 1920 x 1080 screen with a main window of 600 x 500 in various places; gap 16.
TEST(ScreenFitTest, AWindowGoesBesideItsAnchorWhereItFitsAndOverItOnlyWhereNothingElseDoes)
{
    const QRect screen(0, 0, 1920, 1080);
    const struct {
        const char* what;
        QRect anchor;
        QSize wanted;
        int minimumWidth;
        QRect placed;
    } cases[] = {
        {"room on the right", {100, 50, 600, 500}, {1000, 700}, 600, {716, 50, 1000, 700}},
        {"room only on the left", {1300, 50, 600, 500}, {1000, 700}, 600, {284, 50, 1000, 700}},
        {"shrunk into the wider side", {700, 50, 600, 500}, {1000, 700}, 500, {0, 50, 684, 700}},
        {"too narrow to shrink: against the wider side's edge", {700, 50, 600, 500}, {1000, 700}, 900,
         {0, 50, 1000, 700}},
        {"taller than the screen", {100, 600, 600, 400}, {1000, 2000}, 600, {716, 0, 1000, 1080}},
        {"moved up to stay on screen", {100, 700, 600, 300}, {1000, 700}, 600, {716, 380, 1000, 700}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(BesideFrame(c.anchor, c.wanted, c.minimumWidth, screen), c.placed) << c.what;
}

} // namespace
} // namespace voltaryn
