#pragma once

#include "cells/Grades.h"

#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace voltaryn::cells {

// A line drawn across a histogram: a limit the values are judged by, in its colour ("#rrggbb").
struct HistogramLine {
    double value = 0;
    std::string colour;

    bool operator==(const HistogramLine&) const = default;
};

// Values counted in bars of equal width over a range that takes in every value and every line,
// so the lines stay in sight.
struct Histogram {
    double low = 0;
    double high = 1;
    std::vector<int> counts;  // from the lowest bar up

    double BarWidth() const { return (high - low) / static_cast<double>(counts.size()); }
};

// `values` in 40 bars. The range runs from a margin below the lowest value or line (from zero,
// `fromZero`, for a quantity that cannot fall below it) to a margin above the highest; with no
// values it is 0 to 1 and the lines.
Histogram HistogramOf(std::span<const double> values, std::span<const HistogramLine> lines, bool fromZero = false);

// A grade's lower and upper limit of one quantity; either may be absent.
using GradeBounds = std::pair<std::optional<double>, std::optional<double>> (*)(const GradeLimits&);

// The grades' limits of one quantity as lines. A grade's lower limit is often the upper one of the
// grade before: each value is drawn once, in the colour of the first grade naming it.
std::vector<HistogramLine> GradeLines(const GradeTable& grades, GradeBounds bounds);

} // namespace voltaryn::cells
