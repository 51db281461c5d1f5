#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace voltaryn::cells {

// One measured cell as the batch statistics see it. A figure the meter did not show (overload)
// is absent and left out of its spread; the cell still counts for its grade.
struct BatchCell {
    std::string grade;
    std::optional<double> voltage;     // V
    std::optional<double> resistance;  // mOhm
    std::optional<double> capacity;    // mAh, when a charger has measured it
};

// The datasheet limits a batch is judged against; an absent limit is not used.
struct BatchLimits {
    std::optional<double> resistanceMax;  // mOhm
    std::optional<double> voltageMin;     // V
    std::optional<double> voltageMax;     // V
};

struct GradeYield {
    std::string grade;
    std::size_t count = 0;
    double yieldPercent = 0;  // of all cells in the batch
};

// The spread of one quantity over the cells that have it (at least one).
// Percentiles interpolate linearly between the closest ranks, as spreadsheets' PERCENTILE.INC:
// the p-th percentile of n sorted values x[0..n-1] lies at rank (n - 1) * p.
struct Spread {
    std::size_t count = 0;
    double mean = 0;
    double median = 0;
    double min = 0;
    double max = 0;
    double percentile5 = 0;
    double percentile95 = 0;
    std::optional<double> stdDev;  // sample standard deviation (n - 1); absent below two values
};

struct BatchStatistics {
    std::size_t count = 0;
    // The grades asked for in their order, each even without a cell, then any other grade a cell
    // has in the order it first appears.
    std::vector<GradeYield> grades;
    std::optional<Spread> voltage;     // absent when no cell has one
    std::optional<Spread> resistance;
    std::optional<Spread> capacity;    // over the cells with a capacity; absent when none has one
    // Process capability: the distance from the mean to the nearest limit in units of 3σ,
    // min(USL - μ, μ - LSL) / 3σ over the limits given (one-sided for resistance). Absent without
    // a limit, when σ is 0, or over fewer than CpkMinimumCount values (TooFewForCpk).
    std::optional<double> resistanceCpk;
    std::optional<double> voltageCpk;
};

// From fewer values a sample's σ is too uncertain to tell a capability by.
inline constexpr std::size_t CpkMinimumCount = 30;

// Whether a batch's Cpk over `spread` is absent for want of values.
bool TooFewForCpk(const std::optional<Spread>& spread);

BatchStatistics ComputeBatchStatistics(std::span<const BatchCell> cells, const BatchLimits& limits = {},
                                       std::span<const std::string> gradeOrder = {});

// The spread of `values` (sorted here); absent when there are none.
std::optional<Spread> ComputeSpread(std::vector<double> values);

// The median of `values` (reordered here) in linear time, equal to the spread's; absent when
// there are none.
std::optional<double> Median(std::vector<double> values);

// min(upper - mean, mean - lower) / 3σ over the limits given; absent without a limit, below two
// values or when σ is 0.
std::optional<double> Cpk(const std::optional<Spread>& spread, std::optional<double> lower, std::optional<double> upper);

} // namespace voltaryn::cells
