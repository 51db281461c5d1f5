#pragma once

// What the report's charts share: sizes, value axes and the warn and fail lines.
#include "strings/Policies.h"

#include <QCoreApplication>
#include <QFont>
#include <QPainter>
#include <QString>

namespace voltaryn::report {

// The charts' words, translated under one context.
struct ChartWords {
    Q_DECLARE_TR_FUNCTIONS(voltaryn::report::StringCharts)
};

// The margins of a chart's plot, in its words' size: left for the value axis's numbers, right for
// the warn and fail lines' names.
inline constexpr double NumbersMargin = 4.6;
inline constexpr double LineNamesMargin = 5.8;

// A round step (1, 2 or 5 times a power of ten) that cuts `span` into about `parts` parts.
double RoundStep(double span, int parts);

// A value on an axis of ticks `step` apart, with the decimals the step needs, in the user's
// language (a decimal comma in German), without group separators.
QString AxisNumber(double value, double step);

// The size of a chart's words in `area`'s units (points on a page, pixels in a window): a
// `rows`th of its height or a `columns`th of its width, whichever is less, within 6 to 13.
double ChartTextSize(const QRectF& area, double rows, double columns);
// The painter's font family at `size`, in the painter's units.
QFont ChartFont(const QPainter& painter, double size, bool bold = false);

// A value axis over low..high, widened to round ticks, along `plot`'s height.
struct ValueAxis {
    QRectF plot;
    double low = 0;
    double high = 1;
    double step = 1;

    double Y(double value) const { return plot.bottom() - (value - low) / (high - low) * plot.height(); }
};
ValueAxis AxisOver(const QRectF& plot, double low, double high, double textSize);
// The axis's grid lines across its plot and its numbers left of it, in `ink`.
void PaintValueAxis(QPainter& painter, const ValueAxis& axis, const QColor& ink, double textSize);
// The warn and fail lines across the axis's plot, each named right of it in its colour.
void PaintLimitLines(QPainter& painter, const ValueAxis& axis, const strings::ChangeLimits& limits, double textSize);

} // namespace voltaryn::report
