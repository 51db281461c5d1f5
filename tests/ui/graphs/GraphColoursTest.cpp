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

// The classic scheme is the graph users know: its teal and its pure line colours stay exactly.
TEST(GraphColours, ClassicKeepsTheTealBackgroundAndPureLines)
{
    const GraphColours classic = ColoursFor(GraphScheme::Classic, QPalette(Qt::white));
    EXPECT_EQ(classic.background, QColor(0, 128, 128));
    EXPECT_EQ(classic.lineWidth, 1);
    EXPECT_EQ(classic.cursor, QColor(Qt::white));
    const QColor plots[] = {QColor(0, 0, 0),     QColor(0, 255, 0),   QColor(255, 0, 0),  QColor(0, 0, 255),
                            QColor(255, 255, 0), QColor(255, 0, 255), QColor(128, 0, 128)};
    for (std::size_t i = 0; i < HistoryChannelCount; ++i)
        EXPECT_EQ(classic.plots.values.at(i), plots[i]) << i;
    EXPECT_EQ(classic.axes[AxisChannel::Capacity], QColor(128, 0, 128));
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
