#include "cells/BatchStatistics.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <unordered_map>

namespace voltaryn::cells {
namespace {

// The point `fraction` of the way from `low` to `high`.
double Between(double low, double high, double fraction)
{
    return low + fraction * (high - low);
}

// PERCENTILE.INC of sorted, non-empty `values`, for `p` in [0, 1].
double Percentile(const std::vector<double>& values, double p)
{
    const double rank = p * static_cast<double>(values.size() - 1);
    const auto below = static_cast<std::size_t>(rank);
    if (below + 1 >= values.size())
        return values.back();
    return Between(values[below], values[below + 1], rank - static_cast<double>(below));
}

} // namespace

std::optional<Spread> ComputeSpread(std::vector<double> values)
{
    if (values.empty())
        return std::nullopt;
    std::sort(values.begin(), values.end());
    const auto n = static_cast<double>(values.size());
    Spread spread;
    spread.count = values.size();
    spread.mean = std::accumulate(values.begin(), values.end(), 0.0) / n;
    spread.median = Percentile(values, 0.5);
    spread.min = values.front();
    spread.max = values.back();
    spread.percentile5 = Percentile(values, 0.05);
    spread.percentile95 = Percentile(values, 0.95);
    if (values.size() > 1) {
        double squares = 0;
        for (const double v : values)
            squares += (v - spread.mean) * (v - spread.mean);
        spread.stdDev = std::sqrt(squares / (n - 1));
    }
    return spread;
}

std::optional<double> Median(std::vector<double> values)
{
    if (values.empty())
        return std::nullopt;
    const auto middle = values.begin() + static_cast<std::ptrdiff_t>((values.size() - 1) / 2);
    std::nth_element(values.begin(), middle, values.end());
    if (values.size() % 2 == 1)
        return *middle;
    return Between(*middle, *std::min_element(middle + 1, values.end()), 0.5);
}

std::optional<double> Cpk(const std::optional<Spread>& spread, std::optional<double> lower, std::optional<double> upper)
{
    if (!spread || !spread->stdDev || *spread->stdDev <= 0 || (!lower && !upper))
        return std::nullopt;
    double distance = upper ? *upper - spread->mean : spread->mean - *lower;
    if (lower)
        distance = std::min(distance, spread->mean - *lower);
    return distance / (3 * *spread->stdDev);
}

bool TooFewForCpk(const std::optional<Spread>& spread) { return !spread || spread->count < CpkMinimumCount; }

BatchStatistics ComputeBatchStatistics(std::span<const BatchCell> cells, const BatchLimits& limits,
                                       std::span<const std::string> gradeOrder)
{
    BatchStatistics statistics;
    statistics.count = cells.size();
    std::unordered_map<std::string, std::size_t> gradeIndex;
    for (const std::string& grade : gradeOrder)
        if (gradeIndex.try_emplace(grade, statistics.grades.size()).second)
            statistics.grades.push_back({grade, 0, 0});
    std::vector<double> voltages;
    std::vector<double> resistances;
    std::vector<double> capacities;
    voltages.reserve(cells.size());
    resistances.reserve(cells.size());
    for (const BatchCell& cell : cells) {
        const auto [it, added] = gradeIndex.try_emplace(cell.grade, statistics.grades.size());
        if (added)
            statistics.grades.push_back({cell.grade, 0, 0});
        ++statistics.grades[it->second].count;
        if (cell.voltage)
            voltages.push_back(*cell.voltage);
        if (cell.resistance)
            resistances.push_back(*cell.resistance);
        if (cell.capacity)
            capacities.push_back(*cell.capacity);
    }
    for (GradeYield& grade : statistics.grades)
        grade.yieldPercent = cells.empty() ? 0 : 100.0 * static_cast<double>(grade.count) / static_cast<double>(cells.size());
    statistics.voltage = ComputeSpread(std::move(voltages));
    statistics.resistance = ComputeSpread(std::move(resistances));
    statistics.capacity = ComputeSpread(std::move(capacities));
    if (!TooFewForCpk(statistics.resistance))
        statistics.resistanceCpk = Cpk(statistics.resistance, std::nullopt, limits.resistanceMax);
    if (!TooFewForCpk(statistics.voltage))
        statistics.voltageCpk = Cpk(statistics.voltage, limits.voltageMin, limits.voltageMax);
    return statistics;
}

} // namespace voltaryn::cells
