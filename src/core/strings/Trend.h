#pragma once

#include "strings/Baselines.h"
#include "strings/WalkRecord.h"
#include "strings/Policies.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace voltaryn::strings {

// A block's line is fitted to its last readings only: a block ages slowly for years and fast at
// the end, and the end is what a forecast is for.
inline constexpr std::size_t TrendPoints = 5;
inline constexpr std::size_t FewestTrendPoints = 3;
// A crossing further ahead than this is no forecast.
inline constexpr std::chrono::years FarthestForecast{50};

struct TrendPoint {
    std::int64_t inspection = 0;
    std::chrono::sys_days date;
    double milliohm = 0;
    std::optional<double> changePercent;  // against the block's baseline

    bool operator==(const TrendPoint&) const = default;
};

// When the block reaches a line: `now` when its latest reading is at or above it (date: that
// inspection's), else where the fitted line crosses it (never before the latest reading's date).
struct LimitForecast {
    std::chrono::sys_days date;
    bool now = false;

    bool operator==(const LimitForecast&) const = default;
};

// Where a fitted line starts: its change on the date of the oldest point it was fitted to.
struct LineStart {
    std::chrono::sys_days date;
    double percent = 0;

    bool operator==(const LineStart&) const = default;
};

struct BlockTrend {
    int block = 0;
    std::vector<TrendPoint> points;  // every inspection that read the block, oldest first
    // The least-squares line of change against time over the last TrendPoints points with a change,
    // from FewestTrendPoints on, in % a year; with its start, the whole line.
    std::optional<double> slopePercentPerYear;
    std::optional<LineStart> lineStart;
    std::optional<LimitForecast> warn;  // none when neither reached nor forecast (not rising)
    std::optional<LimitForecast> fail;
};

// Every block's trend, [block - 1], over the string's inspections oldest first, against the
// lines of `limits` (BaselineLimits of its policy set).
std::vector<BlockTrend> StringTrends(const StringLayout& layout, std::span<const InspectionRecord> inspections,
                                     std::span<const std::optional<Baseline>> baselines, const ChangeLimits& limits);

// The fitted line's change on `date`; none without a line.
std::optional<double> FittedChange(const BlockTrend& trend, std::chrono::sys_days date);

// How far off a forecast lies, counted from a day, rounded as the texts tell it.
struct ForecastDistance {
    enum class Kind { Now, ByNow, WithinAMonth, Months, Years };
    Kind kind = Kind::Now;
    long count = 0;  // Months, Years: about this many

    bool operator==(const ForecastDistance&) const = default;
};
ForecastDistance DistanceOf(const LimitForecast& forecast, std::chrono::sys_days from);

// "block 17: warn now, fail in about 7 months", counted from `from` (today, or the latest
// inspection's date); "block 3: not rising", "block 4: too few inspections for a trend". Each
// surface words it in its own language from the trend and DistanceOf.
std::string TrendText(const BlockTrend& trend, std::chrono::sys_days from);

} // namespace voltaryn::strings
