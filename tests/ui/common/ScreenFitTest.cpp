#include "ui/common/ScreenFit.h"

#include <gtest/gtest.h>

namespace voltaryn {
namespace {

// A 1920 x 1080 screen with a main window of 600 x 500 in various places; gap 16.
TEST(ScreenFitTest, AWindowGoesBesideItsAnchorWhereItFitsAndOverItOnlyWhereNothingElseDoes)
{
    const QRect screen(0, 0, 1920, 1080);
    const std::tuple<const char*, QRect, QSize, int, QRect> cases[] = {  // what, anchor, wanted, minimum width, placed
        {"room on the right", {100, 50, 600, 500}, {1000, 700}, 600, {716, 50, 1000, 700}},
        {"room only on the left", {1300, 50, 600, 500}, {1000, 700}, 600, {284, 50, 1000, 700}},
        {"shrunk into the wider side", {700, 50, 600, 500}, {1000, 700}, 500, {0, 50, 684, 700}},
        {"too narrow to shrink: against the wider side's edge", {700, 50, 600, 500}, {1000, 700}, 900, {0, 50, 1000, 700}},
        {"taller than the screen", {100, 600, 600, 400}, {1000, 2000}, 600, {716, 0, 1000, 1080}},
        {"moved up to stay on screen", {100, 700, 600, 300}, {1000, 700}, 600, {716, 380, 1000, 700}},
    };
    for (const auto& [what, anchor, wanted, minimumWidth, placed] : cases)
        EXPECT_EQ(BesideFrame(anchor, wanted, minimumWidth, screen), placed) << what;
}

TEST(ScreenFit, WindowsAreMovedAndIfNeedBeShrunkOntoTheScreen)
{
    const QRect screen(0, 0, 1280, 1000);
    const std::vector<std::pair<QRect, QRect>> cases = {
        {{100, 100, 400, 300}, {100, 100, 400, 300}},     // already on the screen
        {{100, -30, 400, 300}, {100, 0, 400, 300}},       // title bar above the top
        {{0, 800, 400, 500}, {0, 500, 400, 500}},         // bottom edge below the screen
        {{1100, 100, 400, 300}, {880, 100, 400, 300}},    // off the right edge
        {{50, 50, 400, 1200}, {50, 0, 400, 1000}},        // taller than the screen
    };
    for (const auto& [frame, fitted] : cases)
        EXPECT_EQ(FitWithin(frame, screen), fitted) << frame.y();
}

} // namespace
} // namespace voltaryn
