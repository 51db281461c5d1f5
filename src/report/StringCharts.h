#pragma once

// The charts of a string's inspection, drawn alike in the Inspection window and the report.
#include "store/StringJudging.h"

#include <QColor>
#include <QPainter>

#include <optional>
#include <vector>

namespace voltaryn::report {

// One block's bar: its change against its baseline and its verdict, an earlier inspection's beside it.
struct BlockBar {
    int block = 0;
    std::optional<double> changePercent;   // none: not read, or no baseline
    strings::Verdict verdict = strings::Verdict::None;
    std::optional<double> againstPercent;  // the inspection compared with, when there is one
    std::optional<double> voltsPerCell;    // the float-voltage policy's figure
    strings::Verdict floatVerdict = strings::Verdict::None;  // and its verdict
};

struct StringChart {
    std::vector<BlockBar> bars;                   // every block of the string, in order
    std::optional<strings::ChangeLimits> limits;  // the baseline policy's warn and fail lines
    std::optional<strings::FloatBand> floatBand;  // the float-voltage policy's band at 25 °C
    std::optional<int> marked;                    // the block of the walk's current place
};

// The chart of `verdicts` (an inspection of `judged`), beside `against` (another of its inspections) when given.
StringChart StringChartOf(const store::JudgedString& judged, const strings::InspectionVerdicts& verdicts,
                          const strings::InspectionVerdicts* against = nullptr);

// Bars of change against the baseline coloured by verdict, warn and fail lines, the marked block
// framed, the compared inspection's bars thin beside; below, a row of voltages per cell against the
// float band. Lines and words take the painter's pen colour and font family; the words' size
// follows the area (points on a page, pixels in a window).
void PaintStringChart(QPainter& painter, const QRectF& area, const StringChart& chart);

// The block whose bar lies at x in a chart painted into `area`; none outside the bars.
std::optional<int> BlockAt(const QRectF& area, const StringChart& chart, double x);

// A block's trend: its change at each inspection against time, the fitted line to its forecasts,
// warn and fail lines.
void PaintTrendChart(QPainter& painter, const QRectF& area, const strings::BlockTrend& trend,
                     const strings::ChangeLimits& limits);

// A verdict's colour, the same in window and report (none: grey).
QColor VerdictColour(strings::Verdict verdict);

} // namespace voltaryn::report
