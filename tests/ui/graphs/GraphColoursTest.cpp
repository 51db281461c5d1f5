#include "ui/graphs/GraphColours.h"

#include <gtest/gtest.h>

#include <set>

namespace voltaryn {
namespace {

TEST(GraphColours, ContrastFollowsTheRelativeLuminanceFormula)
{
    const std::tuple<QColor, QColor, double> cases[] = {
        {Qt::white, Qt::black, 21.0},
        {Qt::black, Qt::white, 21.0},                 // lighter over darker, whatever the order
        {QColor(0x76, 0x76, 0x76), Qt::white, 4.54},  // the usual grey for 4.5:1 text
        {QColor(0, 128, 128), Qt::white, 4.77}, {QColor(255, 0, 0), Qt::black, 5.25}, {Qt::gray, Qt::gray, 1.0},
    };
    for (const auto& [first, second, ratio] : cases)
        EXPECT_NEAR(ContrastRatio(first, second), ratio, 0.01) << first.name().toStdString();
}

QPalette DesktopPalette(const QColor& base, const QColor& text)
{
    QPalette palette;
    palette.setColor(QPalette::Base, base);
    palette.setColor(QPalette::Text, text);
    return palette;
}

TEST(GraphColours, ReadableLinesStandOutThreeToOneOnLightAndDarkDesktops)
{
    const std::pair<const char*, QPalette> desktops[] = {
        {"light", DesktopPalette(Qt::white, Qt::black)},
        {"dark", DesktopPalette(QColor(0x1e, 0x1e, 0x1e), QColor(0xee, 0xee, 0xee))},
        {"grey", DesktopPalette(QColor(0x80, 0x80, 0x80), Qt::black)},
        {"light text on dark grey", DesktopPalette(QColor(0x3c, 0x3f, 0x41), Qt::white)},
    };
    for (const auto& [desktop, palette] : desktops) {
        SCOPED_TRACE(desktop);
        const GraphColours readable = ColoursFor(GraphScheme::Readable, palette);
        EXPECT_EQ(readable.background, palette.color(QPalette::Base));
        EXPECT_EQ(readable.lineWidth, 2);
        std::set<QRgb> distinct;
        for (const QColor& plot : readable.plots.values) {
            EXPECT_GE(ContrastRatio(plot, readable.background), 3.0) << plot.name().toStdString();
            distinct.insert(plot.rgb());
        }
        EXPECT_EQ(distinct.size(), HistoryChannelCount) << "every line its own colour";
        for (const QColor& axis : readable.axes.values)
            EXPECT_GE(ContrastRatio(axis, readable.background), 3.0) << axis.name().toStdString();
        EXPECT_GE(ContrastRatio(readable.text, readable.background), 3.0);
        EXPECT_GE(ContrastRatio(readable.cursor, readable.background), 3.0);
    }
}

} // namespace
} // namespace voltaryn
