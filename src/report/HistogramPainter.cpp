#include "report/HistogramPainter.h"

#include "report/ChartAxis.h"
#include "report/ReportPage.h"

#include <algorithm>
#include <cmath>

namespace voltaryn::report {

void PaintHistogram(QPainter& painter, const QRectF& area, const std::vector<double>& values,
                    const std::vector<cells::HistogramLine>& lines, const QString& title, const QString& unit)
{
    painter.save();
    painter.setFont(ReportPage::Font(9, true));
    painter.drawText(QRectF(area.left(), area.top(), area.width(), 14), Qt::AlignLeft | Qt::AlignVCenter,
                     values.empty() ? title + ": no values" : title);
    painter.setFont(ReportPage::Font(7));
    const QRectF plot = area.adjusted(28, 18, -4, -24);
    painter.setPen(QPen(Qt::black, 0.5));
    painter.drawRect(plot);
    if (values.empty()) {
        painter.restore();
        return;
    }

    const cells::Histogram histogram = cells::HistogramOf(values, lines);
    const double low = histogram.low;
    const double high = histogram.high;
    const double width = histogram.BarWidth();
    const int most = *std::max_element(histogram.counts.begin(), histogram.counts.end());
    const auto x = [&](double value) { return plot.left() + (value - low) / (high - low) * plot.width(); };
    const auto y = [&](double count) { return plot.bottom() - count / (most * 1.1) * plot.height(); };

    for (std::size_t bar = 0; bar < histogram.counts.size(); ++bar) {
        const double left = low + static_cast<double>(bar) * width;
        if (histogram.counts[bar] > 0)
            painter.fillRect(QRectF(QPointF(x(left) + 0.3, y(histogram.counts[bar])), QPointF(x(left + width) - 0.3, plot.bottom())),
                             QColor(0x5a, 0x5a, 0x5a));
    }
    // The count axis: 0 and the fullest bar.
    for (const int count : {0, most}) {
        painter.drawText(QRectF(area.left(), y(count) - 5, 25, 10), Qt::AlignRight | Qt::AlignVCenter,
                         QString::number(count));
    }
    const double step = RoundStep(high - low, 6);
    const double first = std::ceil(low / step);
    for (int i = 0; (first + i) * step <= high; ++i) {
        const double tick = (first + i) * step;
        painter.drawLine(QPointF(x(tick), plot.bottom()), QPointF(x(tick), plot.bottom() + 3));
        painter.drawText(QRectF(x(tick) - 30, plot.bottom() + 3, 60, 10), Qt::AlignHCenter | Qt::AlignTop,
                         AxisNumber(tick, step));
    }
    painter.drawText(QRectF(plot.left(), plot.bottom() + 12, plot.width(), 10), Qt::AlignHCenter | Qt::AlignTop, unit);
    for (const cells::HistogramLine& line : lines) {
        painter.setPen(QPen(QColor(QString::fromStdString(line.colour)), 1.2, Qt::DashLine));
        painter.drawLine(QPointF(x(line.value), plot.top()), QPointF(x(line.value), plot.bottom()));
    }
    painter.restore();
}

} // namespace voltaryn::report
