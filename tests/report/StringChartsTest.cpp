// A string's chart: its bars from an inspection's verdicts beside an earlier one's, and the block
// under the pointer wherever the chart is drawn.
#include "report/StringCharts.h"

#include <QGuiApplication>
#include <QImage>

#include <gtest/gtest.h>

#include <algorithm>

namespace voltaryn::report {
namespace {

using namespace std::chrono;

// Block resistances (none: not read), at 13.5 V and 25 °C.
strings::InspectionRecord Inspection(std::int64_t id, sys_days date, const std::vector<std::optional<double>>& milliohms)
{
    strings::InspectionRecord record{id, date, 25.0, {}, {}};
    for (const std::optional<double>& milliohm : milliohms)
        record.blocks.push_back(milliohm ? std::optional(strings::Reading{13.5, milliohm, 25.0}) : std::nullopt);
    return record;
}

// Four 12 V VRLA blocks installed at the start of 2021, inspected three times a year apart; the
// first inspection, 17 months on, gives the baselines. Block 3 is not read the last time.
store::JudgedString FourBlocks()
{
    store::JudgedString judged;
    judged.layout = {4, 12, strings::Chemistry::Vrla, 6, false, sys_days{2021y / January / 1}};
    judged.policies = strings::DefaultPolicies();
    judged.records = {Inspection(11, sys_days{2022y / June / 1}, {4.0, 4.0, 4.0, 4.0}),
                      Inspection(12, sys_days{2023y / June / 1}, {4.0, 5.0, 4.2, 4.1}),
                      Inspection(13, sys_days{2024y / June / 1}, {4.0, 6.4, std::nullopt, 4.2})};
    judged.Rebase();
    return judged;
}

TEST(StringChart, BarsOfEveryBlockBesideTheInspectionCompared)
{
    const store::JudgedString judged = FourBlocks();
    const strings::InspectionVerdicts latest = judged.Verdicts(13).value();
    const strings::InspectionVerdicts middle = judged.Verdicts(12).value();
    using enum strings::Verdict;
    const struct {
        const char* what;
        const strings::InspectionVerdicts* against;
        std::vector<std::optional<double>> againstPercent;
    } rows[] = {
        {"alone", nullptr, {std::nullopt, std::nullopt, std::nullopt, std::nullopt}},
        {"beside the inspection a year before", &middle, {0.0, 25.0, 5.0, 2.5}},
    };
    for (const auto& row : rows) {
        const StringChart chart = StringChartOf(judged, latest, row.against);
        ASSERT_EQ(chart.bars.size(), 4u) << row.what;
        EXPECT_EQ(chart.limits, (strings::ChangeLimits{30, 50})) << row.what;
        EXPECT_EQ(chart.floatBand, (strings::FloatBand{2.23, 2.30})) << "VRLA at 25 °C: " << row.what;
        EXPECT_FALSE(chart.marked) << "the window marks its walk's place: " << row.what;
        const std::vector<std::optional<double>> changes{0.0, 60.0, std::nullopt, 5.0};
        const strings::Verdict verdicts[] = {Pass, Fail, None, Pass};
        for (std::size_t i = 0; i < 4; ++i) {
            const BlockBar& bar = chart.bars[i];
            EXPECT_EQ(bar.block, static_cast<int>(i) + 1) << row.what;
            ASSERT_EQ(bar.changePercent.has_value(), changes[i].has_value()) << row.what << ", block " << bar.block;
            if (changes[i]) {
                EXPECT_NEAR(*bar.changePercent, *changes[i], 1e-9) << row.what << ", block " << bar.block;
                EXPECT_NEAR(bar.voltsPerCell.value(), 2.25, 1e-9) << "13.5 V over 6 cells";
                EXPECT_EQ(bar.floatVerdict, Pass);
            } else {
                EXPECT_FALSE(bar.voltsPerCell) << "not read";
            }
            EXPECT_EQ(bar.verdict, verdicts[i]) << row.what << ", block " << bar.block;
            ASSERT_EQ(bar.againstPercent.has_value(), row.againstPercent[i].has_value()) << row.what;
            if (row.againstPercent[i]) {
                EXPECT_NEAR(*bar.againstPercent, *row.againstPercent[i], 1e-9) << row.what << ", block " << bar.block;
            }
        }
    }
}

// Scanning across a drawn chart: none in the margins, then each block in turn over an equal
// width, whether in a window or on a page, for few blocks and many.
TEST(StringChart, BlockAtFindsEachBarInTurn)
{
    const struct {
        QRectF area;
        int blocks;
    } rows[] = {
        {{0, 0, 1240, 420}, 24},
        {{36, 100, 770, 250}, 24},
        {{10, 10, 300, 150}, 3},
        {{0, 0, 1240, 420}, 240},
    };
    for (const auto& row : rows) {
        StringChart chart;
        for (int block = 1; block <= row.blocks; ++block)
            chart.bars.emplace_back().block = block;
        constexpr double Step = 0.25;
        std::vector<std::pair<int, double>> runs;  // each block met, with the width it spans
        for (double x = row.area.left() - 10; x <= row.area.right() + 10; x += Step) {
            const std::optional<int> block = BlockAt(row.area, chart, x);
            if (!block)
                continue;
            if (runs.empty() || runs.back().first != *block)
                runs.emplace_back(*block, 0);
            runs.back().second += Step;
        }
        ASSERT_EQ(runs.size(), static_cast<std::size_t>(row.blocks)) << row.blocks << " blocks in " << row.area.width();
        for (std::size_t i = 0; i < runs.size(); ++i) {
            EXPECT_EQ(runs[i].first, static_cast<int>(i) + 1);
            EXPECT_NEAR(runs[i].second, runs.front().second, 2 * Step) << "block " << runs[i].first;
        }
        EXPECT_GT(runs.front().second * row.blocks, row.area.width() * 0.7) << "the bars take most of the width";
        EXPECT_FALSE(BlockAt(row.area, chart, row.area.left() + 1)) << "the value axis's margin";
        EXPECT_FALSE(BlockAt(row.area, chart, row.area.right() - 1)) << "the warn and fail lines' names";
    }
    EXPECT_FALSE(BlockAt({0, 0, 800, 300}, StringChart{}, 400)) << "a string without blocks";
}

// The walk's place is framed in the pen's colour, and no other block is: across the bars, the
// pen's colour shows only at the marked block's edges.
TEST(StringChart, FramesTheMarkedBlockOnly)
{
    int argc = 1;
    char name[] = "voltaryn_report_tests";
    char* argv[] = {name, nullptr};
    const QGuiApplication application(argc, argv);
    const QRectF area(0, 0, 800, 300);
    const int across = 105;  // a row through the bars, clear of the zero line
    StringChart chart;
    for (int block = 1; block <= 4; ++block)
        chart.bars.emplace_back().block = block;
    const struct {
        std::optional<int> marked;
        bool framed;
    } rows[] = {{3, true}, {std::nullopt, false}, {9, false}};
    for (const auto& row : rows) {
        chart.marked = row.marked;
        QImage image(area.size().toSize(), QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setPen(Qt::blue);
        PaintStringChart(painter, area, chart);
        painter.end();
        std::vector<int> inked;  // the columns in the pen's colour
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, across);
            if (pixel.blue() > 200 && pixel.red() < 100)
                inked.push_back(x);
        }
        if (!row.framed) {
            EXPECT_TRUE(inked.empty()) << "marked " << row.marked.value_or(0) << ": at x " << inked.front();
            continue;
        }
        std::vector<int> slot;  // the marked block's columns
        for (int x = 0; x < image.width(); ++x)
            if (BlockAt(area, chart, x + 0.5) == row.marked)
                slot.push_back(x);
        ASSERT_FALSE(slot.empty());
        const auto near = [](int x, int edge) { return std::abs(x - edge) <= 3; };
        for (const int x : inked)
            EXPECT_TRUE(near(x, slot.front()) || near(x, slot.back())) << "inked at x " << x;
        EXPECT_TRUE(std::ranges::any_of(inked, [&](int x) { return near(x, slot.front()); })) << "the left edge";
        EXPECT_TRUE(std::ranges::any_of(inked, [&](int x) { return near(x, slot.back()); })) << "the right edge";
    }
}

// A report shows the trends as they stood at its inspection: later inspections left out.
TEST(StringChart, TrendsStopAtTheInspectionAsked)
{
    const store::JudgedString judged = FourBlocks();
    const struct {
        std::optional<qint64> through;
        std::size_t points;
    } rows[] = {{std::nullopt, 3}, {13, 3}, {12, 2}, {11, 1}, {99, 3}};
    for (const auto& row : rows) {
        const std::vector<strings::BlockTrend> trends = judged.Trends(row.through);
        ASSERT_EQ(trends.size(), 4u);
        EXPECT_EQ(trends[1].points.size(), row.points) << "through " << row.through.value_or(0);
        EXPECT_EQ(trends[1].lineStart.has_value(), row.points >= strings::FewestTrendPoints);
    }
}

} // namespace
} // namespace voltaryn::report
