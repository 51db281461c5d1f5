// Which inspection gives each block its baseline, and a block's trend against a line by hand.
#include "strings/Trend.h"

#include <gtest/gtest.h>

namespace voltaryn::strings {
namespace {

using namespace std::chrono;

const sys_days Installed = 2024y / January / 1;
const StringLayout FourBlocks{4, 12, Chemistry::Vrla, 6, true, Installed};

InspectionRecord Inspection(std::int64_t id, sys_days date, std::vector<std::optional<double>> blocks,
                            std::vector<std::optional<double>> straps = {})
{
    InspectionRecord inspection{id, date, std::nullopt, {}, {}};
    for (const std::optional<double>& milliohm : blocks)
        inspection.blocks.push_back(milliohm ? std::optional(Reading{13.5, milliohm, std::nullopt}) : std::nullopt);
    for (const std::optional<double>& milliohm : straps)
        inspection.straps.push_back(milliohm ? std::optional(Reading{0.001, milliohm, std::nullopt}) : std::nullopt);
    return inspection;
}

TEST(Baselines, SettledProvisionalChosenAndTyped)
{
    // 31 days after installation, 105 days (settled), and a year later. Block 2 was missing at
    // 105 days, block 3 read only at first, block 4 never.
    const InspectionRecord inspections[] = {
        Inspection(11, sys_days{2024y / February / 1}, {4.0, 4.1, 4.2, std::nullopt}, {std::nullopt, 0.031, 0.032}),
        Inspection(12, sys_days{2024y / April / 15}, {4.4, std::nullopt, std::nullopt, std::nullopt}, {0.030, 0.033}),
        Inspection(13, sys_days{2025y / April / 15}, {5.0, 4.6, std::nullopt, std::nullopt}, {0.036, 0.040, 0.050}),
    };
    using enum BaselineSource;
    const auto settled = [](double mohm, std::int64_t id, sys_days date) { return Baseline{mohm, Settled, id, date}; };
    const std::optional<Baseline> none;
    const struct {
        const char* what;
        std::optional<sys_days> installed;
        std::optional<std::int64_t> chosen;
        std::vector<std::pair<int, double>> typed;
        std::vector<std::optional<Baseline>> baselines;
    } rows[] = {
        {"by default", Installed, {}, {},
         {settled(4.4, 12, inspections[1].date), settled(4.6, 13, inspections[2].date),
          Baseline{4.2, Provisional, 11, inspections[0].date}, none}},
        {"no installed date: the first reading, provisional", std::nullopt, {}, {},
         {Baseline{4.0, Provisional, 11, inspections[0].date}, Baseline{4.1, Provisional, 11, inspections[0].date},
          Baseline{4.2, Provisional, 11, inspections[0].date}, none}},
        {"an inspection chosen; block 3 it did not read keeps its own", Installed, 13, {},
         {Baseline{5.0, Chosen, 13, inspections[2].date}, Baseline{4.6, Chosen, 13, inspections[2].date},
          Baseline{4.2, Provisional, 11, inspections[0].date}, none}},
        {"typed over the inspection chosen", Installed, 13, {{1, 3.9}, {4, 4.5}},
         {Baseline{3.9, Typed, {}, {}}, Baseline{4.6, Chosen, 13, inspections[2].date},
          Baseline{4.2, Provisional, 11, inspections[0].date}, Baseline{4.5, Typed, {}, {}}}},
        {"an inspection chosen that is not the string's", Installed, 99, {},
         {settled(4.4, 12, inspections[1].date), settled(4.6, 13, inspections[2].date),
          Baseline{4.2, Provisional, 11, inspections[0].date}, none}},
    };
    for (const auto& row : rows) {
        StringLayout layout = FourBlocks;
        layout.installed = row.installed;
        const BaselineChoice choice{row.chosen, {row.typed.begin(), row.typed.end()}};
        EXPECT_EQ(BlockBaselines(layout, inspections, choice), row.baselines) << row.what;
    }
    // Strap 1 was first read in inspection 12, the others in 11.
    EXPECT_EQ(StrapFirstReadings(FourBlocks, inspections),
              (std::vector<std::optional<FirstReading>>{FirstReading{0.030, 12}, FirstReading{0.031, 11}, FirstReading{0.032, 11}}));
}

// A block with a baseline of 4 mOhm and the given changes (%) on the given days after 15 April 2024.
std::vector<InspectionRecord> History(std::initializer_list<std::pair<int, double>> changes)
{
    std::vector<InspectionRecord> inspections;
    for (const auto& [day, change] : changes)
        inspections.push_back(Inspection(static_cast<std::int64_t>(inspections.size() + 1),
                                         sys_days{2024y / April / 15} + days{day}, {4.0 * (1 + change / 100)}));
    return inspections;
}

TEST(Trend, ForecastsAgainstAHandFittedLine)
{
    const StringLayout one{1, 12, Chemistry::Vrla, 6, false, Installed};
    const std::vector<std::optional<Baseline>> baseline = {Baseline{4.0, BaselineSource::Typed, {}, {}}};
    const ChangeLimits limits{30, 50};
    const sys_days april2024 = 2024y / April / 15;
    const struct {
        const char* what;
        std::vector<InspectionRecord> inspections;
        std::optional<double> slope;  // % a year
        std::optional<double> lineAtLatest;  // the fitted line's change on the latest reading's day
        std::optional<LimitForecast> warn;
        std::optional<LimitForecast> fail;
        sys_days from;
        const char* text;
    } rows[] = {
        // Days 0, 365, 730, 1095 at 0, 12, 18, 33 %: means 547.5 days and 15.75 %, Sxx 666125,
        // Sxy 19162.5, so 10.5 % in 365 days (10.507 % a year) through 0 % on day 0. The latest is
        // past the warn line; the fail line is reached on day 50 / (10.5 / 365) = 1738.1.
        {"rising past warn", History({{0, 0}, {365, 12}, {730, 18}, {1095, 33}}), 10.5 * 365.2425 / 365, 31.5,
         LimitForecast{april2024 + days{1095}, true}, LimitForecast{april2024 + days{1738}, false},
         sys_days{2028y / June / 17}, "block 1: warn now, fail in about 7 months"},
        // A straight 10 % a year of 365 days: warn on day 1095, fail on day 1825.
        {"a straight line", History({{0, 0}, {365, 10}, {730, 20}}), 10 * 365.2425 / 365, 20,
         LimitForecast{april2024 + days{1095}, false}, LimitForecast{april2024 + days{1825}, false},
         april2024 + days{730}, "block 1: warn in about 12 months, fail in about 3 years"},
        // Only the last five count: the two wild early ones would tilt the line down.
        {"the last five", History({{-730, 60}, {-365, 60}, {0, 0}, {365, 10}, {730, 20}, {1095, 30}, {1460, 40}}),
         10 * 365.2425 / 365, 40, LimitForecast{april2024 + days{1460}, true}, LimitForecast{april2024 + days{1825}, false},
         april2024 + days{1460}, "block 1: warn now, fail in about 12 months"},
        {"falling", History({{0, 0}, {365, -2}, {730, -4}}), -2 * 365.2425 / 365, -4, std::nullopt, std::nullopt,
         april2024, "block 1: not rising"},
        {"falling, past warn", History({{0, 40}, {365, 38}, {730, 35}}), -2.5 * 365.2425 / 365, 113.0 / 3 - 2.5,
         LimitForecast{april2024 + days{730}, true}, std::nullopt, april2024 + days{730}, "block 1: warn now, not rising"},
        {"two inspections", History({{0, 0}, {365, 20}}), std::nullopt, std::nullopt, std::nullopt, std::nullopt, april2024,
         "block 1: too few inspections for a trend"},
        {"two, past fail", History({{0, 0}, {365, 55}}), std::nullopt, std::nullopt, LimitForecast{april2024 + days{365}, true},
         LimitForecast{april2024 + days{365}, true}, april2024, "block 1: warn now, fail now"},
        {"three on one day", History({{0, 0}, {0, 5}, {0, 10}}), std::nullopt, std::nullopt, std::nullopt, std::nullopt, april2024,
         "block 1: too few inspections for a trend"},
        // 12.5 % in 365 days through 9.17 % on day 0: past the warn line on day 608, before the
        // latest reading, which is below it; due from that reading on, not before. Fail on day 1192.3.
        {"crossed on the line only", History({{0, 0}, {365, 40}, {730, 25}}), 12.5 * 365.2425 / 365, 65.0 / 3 + 12.5,
         LimitForecast{april2024 + days{730}, false}, LimitForecast{april2024 + days{1192}, false},
         april2024 + days{760}, "block 1: warn by now, fail in about 14 months"},
        {"barely rising", History({{0, 0}, {365, 0.001}, {730, 0.002}}), 0.001 * 365.2425 / 365, 0.002, std::nullopt,
         std::nullopt, april2024, "block 1: fail not within 50 years"},
    };
    for (const auto& row : rows) {
        const std::vector<BlockTrend> trends = StringTrends(one, row.inspections, baseline, limits);
        ASSERT_EQ(trends.size(), 1u);
        const BlockTrend& trend = trends[0];
        EXPECT_EQ(trend.points.size(), row.inspections.size()) << row.what;
        ASSERT_EQ(trend.slopePercentPerYear.has_value(), row.slope.has_value()) << row.what;
        if (row.slope) {
            EXPECT_NEAR(*trend.slopePercentPerYear, *row.slope, 1e-6) << row.what;
        }
        const std::optional<double> onLine = FittedChange(trend, row.inspections.back().date);
        ASSERT_EQ(onLine.has_value(), row.lineAtLatest.has_value()) << row.what;
        if (row.lineAtLatest) {
            EXPECT_NEAR(*onLine, *row.lineAtLatest, 1e-6) << row.what;
        }
        EXPECT_EQ(trend.warn, row.warn) << row.what;
        EXPECT_EQ(trend.fail, row.fail) << row.what;
        EXPECT_EQ(TrendText(trend, row.from), row.text) << row.what;
    }

    // A block without a baseline has its readings and no change, so no line.
    const std::vector<BlockTrend> unjudged = StringTrends(one, History({{0, 0}, {365, 10}, {730, 20}}), {}, limits);
    EXPECT_EQ(unjudged[0].points.size(), 3u);
    EXPECT_FALSE(unjudged[0].points[0].changePercent || unjudged[0].slopePercentPerYear || unjudged[0].warn);
}

} // namespace
} // namespace voltaryn::strings
