#include "cells/Histogram.h"

#include <algorithm>
#include <cmath>

namespace voltaryn::cells {
namespace {

constexpr int BarCount = 40;
constexpr double Margin = 0.05;  // of the range, or of the value when all are one

} // namespace

Histogram HistogramOf(std::span<const double> values, std::span<const HistogramLine> lines, bool fromZero)
{
    Histogram histogram;
    const auto [lowest, highest] = std::minmax_element(values.begin(), values.end());
    double low = fromZero || values.empty() ? 0.0 : *lowest;
    double high = values.empty() ? 1.0 : *highest;
    for (const HistogramLine& line : lines) {
        low = std::min(low, line.value);
        high = std::max(high, line.value);
    }
    const double margin = high > low ? (high - low) * Margin : std::max(1.0, std::abs(high) * Margin);
    histogram.low = fromZero ? low : low - margin;
    histogram.high = high + margin;
    histogram.counts.assign(BarCount, 0);
    const double width = histogram.BarWidth();
    for (const double value : values)
        ++histogram.counts[std::clamp(static_cast<int>(std::floor((value - histogram.low) / width)), 0, BarCount - 1)];
    return histogram;
}

std::vector<HistogramLine> GradeLines(const GradeTable& grades, GradeBounds bounds)
{
    std::vector<HistogramLine> lines;
    for (const Grade& grade : grades.Grades) {
        const auto [low, high] = bounds(grade.Limits);
        for (const std::optional<double>& bound : {low, high})
            if (bound && std::ranges::none_of(lines, [&](const HistogramLine& line) { return line.value == *bound; }))
                lines.push_back({*bound, grade.Colour});
    }
    return lines;
}

} // namespace voltaryn::cells
