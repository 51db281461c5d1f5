#include "cells/BatchStatistics.h"

#include <gtest/gtest.h>

namespace voltaryn::cells {
namespace {

void ExpectSpread(const std::optional<Spread>& spread, const Spread& expected, std::optional<double> stdDev)
{
    ASSERT_TRUE(spread);
    EXPECT_EQ(spread->count, expected.count);
    EXPECT_NEAR(spread->mean, expected.mean, 1e-9);
    EXPECT_NEAR(spread->median, expected.median, 1e-9);
    EXPECT_NEAR(spread->min, expected.min, 1e-9);
    EXPECT_NEAR(spread->max, expected.max, 1e-9);
    EXPECT_NEAR(spread->percentile5, expected.percentile5, 1e-9);
    EXPECT_NEAR(spread->percentile95, expected.percentile95, 1e-9);
    ASSERT_EQ(spread->stdDev.has_value(), stdDev.has_value());
    if (stdDev) {
        EXPECT_NEAR(*spread->stdDev, *stdDev, 1e-6);
    }
}

// Figures worked out by hand: sample standard deviations, PERCENTILE.INC ranks (n - 1) p.
TEST(BatchStatistics, SmallBatchAgainstHandFigures)
{
    const BatchCell cells[] = {
        {"A", 3.60, 20, 3000}, {"A", 3.62, 22, 3100}, {"B", 3.58, 30, std::nullopt}, {"A", 3.64, 24, 2900}};
    const BatchStatistics stats = ComputeBatchStatistics(cells, {36.0, 3.5, 3.7});
    EXPECT_EQ(stats.count, 4u);
    ASSERT_EQ(stats.grades.size(), 2u);
    EXPECT_EQ(stats.grades[0].grade, "A");
    EXPECT_EQ(stats.grades[0].count, 3u);
    EXPECT_DOUBLE_EQ(stats.grades[0].yieldPercent, 75);
    EXPECT_EQ(stats.grades[1].grade, "B");
    EXPECT_DOUBLE_EQ(stats.grades[1].yieldPercent, 25);
    // Deviations of ±0.01 and ±0.03 V: 0.002 / 3.
    ExpectSpread(stats.voltage, {4, 3.61, 3.61, 3.58, 3.64, 3.583, 3.637, {}}, 0.0258199);
    // Deviations -4, -2, 0, 6: 56 / 3.
    ExpectSpread(stats.resistance, {4, 24, 23, 20, 30, 20.3, 29.1, {}}, 4.3204938);
    ExpectSpread(stats.capacity, {3, 3000, 3000, 2900, 3100, 2910, 3090, {}}, 100.0);
    ASSERT_TRUE(stats.resistanceCpk);
    EXPECT_NEAR(*stats.resistanceCpk, 12 / (3 * 4.3204938), 1e-6);
    ASSERT_TRUE(stats.voltageCpk);
    EXPECT_NEAR(*stats.voltageCpk, 0.09 / (3 * 0.0258199), 1e-5);  // the upper limit is nearer

    const BatchStatistics lowerOnly = ComputeBatchStatistics(cells, {std::nullopt, 3.5, std::nullopt});
    EXPECT_FALSE(lowerOnly.resistanceCpk);
    ASSERT_TRUE(lowerOnly.voltageCpk);
    EXPECT_NEAR(*lowerOnly.voltageCpk, 0.11 / (3 * 0.0258199), 1e-5);
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
