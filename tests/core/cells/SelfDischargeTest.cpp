// The statistics of a batch of cells, and the self-discharge verdicts of a lot.
#include "cells/BatchStatistics.h"
#include "cells/SelfDischarge.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <map>

namespace voltaryn::cells {
namespace {

using namespace std::chrono;
using Verdict = SelfDischargeVerdict;

const system_clock::time_point Start = sys_days{2024y / March / 1} + 9h;

// A cell read at 3.6 V and again `days` later, having lost `mvPerDay` a day.
CellRecheck Rested(double days, double mvPerDay, std::optional<double> referenceC = {}, std::optional<double> recheckC = {})
{
    const auto later = Start + round<system_clock::duration>(duration<double, days::period>(days));
    return {VoltageReading{3.6, Start, referenceC}, VoltageReading{3.6 + mvPerDay * days / 1000, later, recheckC}};
}

std::vector<CellRecheck> Lot(std::initializer_list<double> mvPerDay)
{
    std::vector<CellRecheck> cells;
    for (const double rate : mvPerDay)
        cells.push_back(Rested(21, rate));
    return cells;
}

TEST(SelfDischarge, VerdictsOfALot)
{
    // Twenty cells losing 0.8 to 1.2 mV a day; with the rows judged below, the median is -1 and
    // the MAD 0.1, so the lot's line lies at -1 - 3 x 1.4826 x 0.1 = -1.44.
    std::vector<CellRecheck> cells;
    for (int i = 0; i < 20; ++i)
        cells.push_back(Rested(21, -1 + 0.1 * (i % 5 - 2)));
    const std::size_t lotSize = cells.size();
    const std::tuple<const char*, CellRecheck, Verdict, std::optional<double>, std::optional<double>> rows[] = {
        // what, cell, verdict, mV/day, temperature change
        {"near the lot", Rested(21, -1.4), Verdict::Ok, -1.4, {}},
        {"below the lot's line only", Rested(21, -5), Verdict::Suspect, -5, {}},
        {"below the absolute limit", Rested(21, -9), Verdict::Suspect, -9, {}},
        {"gaining voltage", Rested(21, 0.5), Verdict::Ok, 0.5, {}},
        {"rested exactly the minimum", Rested(14, -1), Verdict::Ok, -1, {}},
        {"warmer at the recheck", Rested(21, -1, 22.0, 25.5), Verdict::Ok, -1, 3.5},
        {"rechecked a little early", Rested(13.9, -20), Verdict::Early, -20, {}},
        {"rechecked minutes short of the rest", Rested(13.99, -1), Verdict::Ok, -1, {}},
        {"rechecked at the same moment", Rested(0, 0), Verdict::Early, {}, {}},
        {"rechecked before its reference", Rested(-2, 1), Verdict::Early, {}, {}},
        {"no recheck", {VoltageReading{3.6, Start, 22.0}, {}}, Verdict::None, {}, {}},
        {"no reference", {{}, VoltageReading{3.5, Start, 24.0}}, Verdict::None, {}, {}},
    };
    for (const auto& row : rows)
        cells.push_back(std::get<1>(row));

    const SelfDischargeLot lot = JudgeSelfDischarge(cells, {});
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        const auto& [what, cell, verdict, mvPerDay, temperatureChange] = rows[i];
        const SelfDischargeResult& result = lot.cells.at(lotSize + i);
        EXPECT_EQ(std::tuple(result.verdict, result.mvPerDay.has_value(), result.temperatureChange, result.days.has_value()),
                  std::tuple(verdict, mvPerDay.has_value(), temperatureChange, cell.reference && cell.recheck)) << what;
        EXPECT_NEAR(result.mvPerDay.value_or(0), mvPerDay.value_or(0), 1e-6) << what;
    }
    EXPECT_EQ(std::tuple(lot.judged, lot.early, lot.suspects, lot.mvPerDay->count), std::tuple(lotSize + 7, 3u, 2u, lotSize + 7));
    EXPECT_NEAR(*lot.medianMvPerDay, -1, 1e-9);
    EXPECT_NEAR(*lot.madMvPerDay, 0.1, 1e-9);
    EXPECT_NEAR(*lot.lotLimitMvPerDay, -1 - 3 * 1.4826 * 0.1, 1e-9);
    EXPECT_NEAR(lot.mvPerDay->min, -9, 1e-9);
}

// A tenth of the lot leaking at 4 to 6 mV a day, above the absolute limit: a mean and standard
// deviation would widen to let most of them pass, the median and MAD barely move.
TEST(SelfDischarge, SuspectsDoNotMoveTheLotLine)
{
    std::vector<CellRecheck> good;
    for (int i = 0; i < 100; ++i)
        good.push_back(Rested(21 + i % 3, -1.2 + 0.4 * i / 99));
    std::vector<CellRecheck> cells = good;
    for (int i = 0; i < 10; ++i)
        cells.push_back(Rested(21, -4 - 0.2 * i));

    const SelfDischargeLot alone = JudgeSelfDischarge(good, {});
    const SelfDischargeLot lot = JudgeSelfDischarge(cells, {});
    EXPECT_NEAR(*lot.medianMvPerDay, *alone.medianMvPerDay, 0.03);
    EXPECT_NEAR(*lot.madMvPerDay, *alone.madMvPerDay, 0.15 * *alone.madMvPerDay);
    EXPECT_EQ(lot.suspects, 10u);
    for (std::size_t i = 0; i < cells.size(); ++i)
        EXPECT_EQ(lot.cells[i].verdict, i < good.size() ? Verdict::Ok : Verdict::Suspect) << i;
}

TEST(SelfDischarge, SmallAndFlatLotsHaveOnlyTheAbsoluteLimit)
{
    using enum SelfDischargeVerdict;
    const std::tuple<const char*, std::vector<CellRecheck>, std::vector<Verdict>, bool> rows[] = {
        // what, cells, verdicts, whether the lot has its line
        {"two cells", Lot({-5, -9}), {Ok, Suspect}, false},
        {"three cells", Lot({-1, -1.1, -5}), {Ok, Ok, Suspect}, true},
        {"two judged, one early", {Rested(21, -1), Rested(21, -1.1), Rested(7, -5)}, {Ok, Ok, Early}, false},
        {"MAD 0: most show no change", Lot({0, 0, 0, -0.05, -5}), {Ok, Ok, Ok, Ok, Ok}, false},
        {"nothing judged", {Rested(3, -1), CellRecheck{}}, {Early, None}, false},
        {"no cells", {}, {}, false},
    };
    for (const auto& [what, cells, verdicts, lotLine] : rows) {
        const SelfDischargeLot lot = JudgeSelfDischarge(cells, {});
        std::vector<Verdict> judged;
        for (const SelfDischargeResult& result : lot.cells)
            judged.push_back(result.verdict);
        EXPECT_EQ(judged, verdicts) << what;
        EXPECT_EQ(lot.lotLimitMvPerDay.has_value(), lotLine) << what;
        EXPECT_EQ(lot.madMvPerDay.has_value(), lot.judged > 0) << what;
        const SelfDischargeChart chart = SelfDischargeChartOf(lot, {});
        EXPECT_EQ(chart.mvPerDay.size(), lot.judged) << what;
        EXPECT_EQ(chart.lines.size(), lotLine ? 2u : 1u) << what;
    }
}

// The range takes in every value and line with a margin; each value falls into its bar.
TEST(Histogram, RangeAndBars)
{
    const std::tuple<const char*, std::vector<double>, std::vector<double>, bool, double, double,
                     std::map<int, int>> rows[] = {  // what, values, lines, from zero, low, high, bar: count
        {"no values", {}, {}, false, -0.05, 1.05, {}},
        {"one value thrice", {2, 2, 2}, {}, false, 1, 3, {{20, 3}}},
        {"from zero, a line above", {10, 30}, {60}, true, 0, 63, {{6, 1}, {19, 1}}},
        {"a line between", {-15, -1}, {-8}, false, -15.7, -0.3, {{1, 1}, {38, 1}}},
        {"a line below", {3.6, 3.7}, {2.5}, false, 2.44, 3.76, {{35, 1}, {38, 1}}},
    };
    for (const auto& [what, values, lineValues, fromZero, low, high, bars] : rows) {
        std::vector<HistogramLine> lines;
        for (const double value : lineValues)
            lines.push_back({value, "#000000"});
        const Histogram histogram = HistogramOf(values, lines, fromZero);
        EXPECT_NEAR(histogram.low, low, 1e-9) << what;
        EXPECT_NEAR(histogram.high, high, 1e-9) << what;
        ASSERT_EQ(histogram.counts.size(), 40u) << what;
        std::map<int, int> filled;
        for (std::size_t bar = 0; bar < histogram.counts.size(); ++bar)
            if (histogram.counts[bar] > 0)
                filled[static_cast<int>(bar)] = histogram.counts[bar];
        EXPECT_EQ(filled, bars) << what;
    }
    // Each grade bound once, in the colour of the first grade naming it.
    const GradeTable grades{{{"A", "#111111", {{}, {}, {}, 25}}, {"B", "#222222", {{}, {}, 25, 40}}}, {}};
    EXPECT_EQ(GradeLines(grades, [](const GradeLimits& l) { return std::pair(l.MinResistance, l.MaxResistance); }),
              (std::vector<HistogramLine>{{25, "#111111"}, {40, "#222222"}}));
}

TEST(SelfDischarge, RulesAndVerdictNames)
{
    const std::string loss = "the absolute limit must be a loss, a number of mV/day below 0";
    const std::pair<SelfDischargeRules, std::string> rows[] = {
        {{}, ""}, {{-0.1, 1}, ""}, {{-8, 90}, ""}, {{-8, 0}, "the minimum rest must be 1 to 90 days, not 0"},
        {{-8, 91}, "the minimum rest must be 1 to 90 days, not 91"}, {{0, 14}, loss}, {{2, 14}, loss},
        {{-std::numeric_limits<double>::infinity(), 14}, loss}, {{std::nan(""), 14}, loss},
    };
    for (const auto& [rules, problem] : rows)
        EXPECT_EQ(SelfDischargeRulesProblem(rules), problem) << rules.absoluteLimitMvPerDay << ", " << rules.minimumRestDays;

    const std::pair<Verdict, std::string_view> names[] = {
        {Verdict::None, "none"}, {Verdict::Ok, "ok"}, {Verdict::Suspect, "suspect"}, {Verdict::Early, "early"}};
    for (const auto& [verdict, name] : names)
        EXPECT_EQ(SelfDischargeVerdictName(verdict), name);
}

void ExpectSpread(const std::optional<Spread>& spread, const Spread& expected, std::optional<double> stdDev)
{
    ASSERT_TRUE(spread);
    EXPECT_EQ(spread->count, expected.count);
    const std::pair<double, double> figures[] = {{spread->mean, expected.mean}, {spread->median, expected.median},
        {spread->min, expected.min}, {spread->max, expected.max}, {spread->percentile5, expected.percentile5},
        {spread->percentile95, expected.percentile95}};
    for (const auto& [found, wanted] : figures)
        EXPECT_NEAR(found, wanted, 1e-9);
    ASSERT_EQ(spread->stdDev.has_value(), stdDev.has_value());
    EXPECT_NEAR(spread->stdDev.value_or(0), stdDev.value_or(0), 1e-6);
}

// Figures worked out by hand: sample standard deviations, PERCENTILE.INC ranks (n - 1) p.
TEST(BatchStatistics, SmallBatchAgainstHandFigures)
{
    const BatchCell cells[] = {
        {"A", 3.60, 20, 3000}, {"A", 3.62, 22, 3100}, {"B", 3.58, 30, std::nullopt}, {"A", 3.64, 24, 2900}};
    const BatchStatistics stats = ComputeBatchStatistics(cells, {36.0, 3.5, 3.7});
    EXPECT_EQ(stats.count, 4u);
    ASSERT_EQ(stats.grades.size(), 2u);
    EXPECT_EQ(std::tuple(stats.grades[0].grade, stats.grades[0].count, stats.grades[0].yieldPercent),
              std::tuple("A", 3u, 75.0));
    EXPECT_EQ(std::tuple(stats.grades[1].grade, stats.grades[1].count, stats.grades[1].yieldPercent),
              std::tuple("B", 1u, 25.0));
    // Deviations of ±0.01 and ±0.03 V: 0.002 / 3.
    ExpectSpread(stats.voltage, {4, 3.61, 3.61, 3.58, 3.64, 3.583, 3.637, {}}, 0.0258199);
    // Deviations -4, -2, 0, 6: 56 / 3.
    ExpectSpread(stats.resistance, {4, 24, 23, 20, 30, 20.3, 29.1, {}}, 4.3204938);
    ExpectSpread(stats.capacity, {3, 3000, 3000, 2900, 3100, 2910, 3090, {}}, 100.0);
    EXPECT_FALSE(stats.resistanceCpk || stats.voltageCpk) << "four cells are too few for a Cpk";
    EXPECT_TRUE(TooFewForCpk(stats.resistance));
    EXPECT_NEAR(Cpk(stats.resistance, std::nullopt, 36.0).value_or(0), 12 / (3 * 4.3204938), 1e-6);
    EXPECT_NEAR(Cpk(stats.voltage, 3.5, 3.7).value_or(0), 0.09 / (3 * 0.0258199), 1e-5);  // the upper limit is nearer
    EXPECT_FALSE(Cpk(stats.resistance, std::nullopt, std::nullopt));
    EXPECT_NEAR(Cpk(stats.voltage, 3.5, std::nullopt).value_or(0), 0.11 / (3 * 0.0258199), 1e-5);

    // The grades asked for come first in their order, even without a cell; others after them.
    const std::vector<std::string> order{"B", "C", "A"};
    const BatchCell other[] = {{"X", 3.6, 20, 3000}, {"A", 3.6, 20, 3000}};
    std::vector<std::pair<std::string, std::size_t>> counts;
    for (const GradeYield& grade : ComputeBatchStatistics(other, {}, order).grades)
        counts.emplace_back(grade.grade, grade.count);
    EXPECT_EQ(counts, (std::vector<std::pair<std::string, std::size_t>>{{"B", 0}, {"C", 0}, {"A", 1}, {"X", 1}}));
}

// A Cpk is told from CpkMinimumCount values of its figure on.
TEST(BatchStatistics, CpkFromThirtyCells)
{
    for (const std::size_t count : {CpkMinimumCount - 1, CpkMinimumCount}) {
        std::vector<BatchCell> cells;
        for (std::size_t i = 0; i < count; ++i)
            cells.push_back({"A", 3.6 + 0.01 * static_cast<double>(i % 3), 20.0 + static_cast<double>(i % 4), 3000});
        const BatchStatistics stats = ComputeBatchStatistics(cells, {36.0, 3.5, 3.7});
        const bool enough = count >= CpkMinimumCount;
        EXPECT_EQ(TooFewForCpk(stats.resistance), !enough) << count;
        EXPECT_EQ(stats.resistanceCpk, enough ? Cpk(stats.resistance, std::nullopt, 36.0) : std::nullopt) << count;
        EXPECT_EQ(stats.voltageCpk, enough ? Cpk(stats.voltage, 3.5, 3.7) : std::nullopt) << count;
    }
}

TEST(BatchStatistics, UndefinedFiguresAreAbsent)
{
    const BatchLimits limits{40.0, 3.0, 4.2};
    const BatchStatistics empty = ComputeBatchStatistics({}, limits);
    EXPECT_EQ(empty.count, 0u);
    EXPECT_TRUE(empty.grades.empty());
    EXPECT_FALSE(empty.voltage || empty.resistance || empty.capacity || empty.resistanceCpk || empty.voltageCpk);

    const BatchCell one[] = {{"A", 3.6, 21, std::nullopt}};
    const BatchStatistics single = ComputeBatchStatistics(one, limits);
    EXPECT_EQ(single.grades.at(0).yieldPercent, 100);
    ExpectSpread(single.resistance, {1, 21, 21, 21, 21, 21, 21, {}}, std::nullopt);
    EXPECT_FALSE(single.capacity || single.resistanceCpk || single.voltageCpk);

    const BatchCell overload[] = {{"A", 3.6, 21, std::nullopt}, {"Reject", 3.7, std::nullopt, std::nullopt}};
    const BatchStatistics partly = ComputeBatchStatistics(overload, limits);
    EXPECT_EQ(partly.grades.at(1).yieldPercent, 50);
    EXPECT_EQ(partly.voltage->count, 2u);
    ExpectSpread(partly.resistance, {1, 21, 21, 21, 21, 21, 21, {}}, std::nullopt);

    const BatchCell same[] = {{"A", 3.6, 21, 3000}, {"A", 3.6, 21, 3000}};
    const BatchStatistics flat = ComputeBatchStatistics(same, limits);
    ExpectSpread(flat.voltage, {2, 3.6, 3.6, 3.6, 3.6, 3.6, 3.6, {}}, 0.0);
    EXPECT_FALSE(flat.resistanceCpk || flat.voltageCpk);  // σ = 0
}

TEST(BatchStatistics, MedianInLinearTimeIsTheSpreadsMedian)
{
    const std::vector<double> rows[] = {
        {3.2}, {5, 1, 4}, {4, 1, 3, 2}, {2, 2, 1, 2, 9, 0.1}, {-1.1, -0.9, -1.3, -1, -0.7, -1.2, -0.95, -1.05}};
    for (const std::vector<double>& values : rows)
        EXPECT_EQ(Median(values), ComputeSpread(values)->median) << values.size() << " values";
    EXPECT_FALSE(Median({}));
}

} // namespace
} // namespace voltaryn::cells
