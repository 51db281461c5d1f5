#pragma once

#include <QColor>
#include <QPainter>
#include <QRectF>
#include <QString>

#include <vector>

namespace voltaryn::report {

// A limit drawn across a histogram: a grade's bound, in the grade's colour.
struct HistogramLimit {
    double value = 0;
    QColor colour;
};

// A histogram of `values` in `area`, its title above, the value axis below with `unit`, and each
// limit as a dashed line. The axis takes in every value and every limit.
void PaintHistogram(QPainter& painter, const QRectF& area, const std::vector<double>& values,
                    const std::vector<HistogramLimit>& limits, const QString& title, const QString& unit);

} // namespace voltaryn::report
