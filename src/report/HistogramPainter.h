#pragma once

#include "cells/Histogram.h"

#include <QColor>
#include <QPainter>
#include <QRectF>
#include <QString>

#include <vector>

namespace voltaryn::report {

// A histogram of `values` (cells::HistogramOf) in `area`, its title above, the value axis below
// with `unit`, and each line as a dashed line in its colour.
void PaintHistogram(QPainter& painter, const QRectF& area, const std::vector<double>& values,
                    const std::vector<cells::HistogramLine>& lines, const QString& title, const QString& unit);

} // namespace voltaryn::report
