#include "report/HistogramPainter.h"

#include "report/ReportPage.h"

#include <algorithm>
#include <cmath>

namespace voltaryn::report {
namespace {

constexpr int BinCount = 40;

// A round step (1, 2 or 5 times a power of ten) that cuts `span` into about `parts` parts.
double RoundStep(double span, int parts)
{
    const double raw = span / parts;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (const double factor : {1.0, 2.0, 5.0})
        if (raw <= factor * power)
            return factor * power;
    return 10 * power;
}

QString Number(double value, double step)
{
    const int decimals = std::clamp(static_cast<int>(-std::floor(std::log10(step))), 0, 4);
    return QString::number(value, 'f', decimals);
}

} // namespace

void PaintHistogram(QPainter& painter, const QRectF& area, const std::vector<double>& values,
                    const std::vector<HistogramLimit>& limits, const QString& title, const QString& unit)
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

    auto [lowest, highest] = std::minmax_element(values.begin(), values.end());
    double low = *lowest;
    double high = *highest;
    for (const HistogramLimit& limit : limits) {
        low = std::min(low, limit.value);
        high = std::max(high, limit.value);
    }
    const double pad = high > low ? (high - low) * 0.05 : std::max(std::abs(high) * 0.05, 0.5);
    low -= pad;
    high += pad;
    const double width = (high - low) / BinCount;
    std::vector<int> counts(BinCount);
    for (const double value : values)
        ++counts[std::clamp(static_cast<int>((value - low) / width), 0, BinCount - 1)];
    const int most = *std::max_element(counts.begin(), counts.end());
    const auto x = [&](double value) { return plot.left() + (value - low) / (high - low) * plot.width(); };
    const auto y = [&](double count) { return plot.bottom() - count / (most * 1.1) * plot.height(); };

    for (int bin = 0; bin < BinCount; ++bin) {
        if (counts[bin] > 0)
            painter.fillRect(QRectF(QPointF(x(low + bin * width) + 0.3, y(counts[bin])),
                                    QPointF(x(low + (bin + 1) * width) - 0.3, plot.bottom())),
                             QColor(0x5a, 0x5a, 0x5a));
    }
    // The count axis: 0 and the fullest bin.
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
                         Number(tick, step));
    }
    painter.drawText(QRectF(plot.left(), plot.bottom() + 12, plot.width(), 10), Qt::AlignHCenter | Qt::AlignTop, unit);
    for (const HistogramLimit& limit : limits) {
        painter.setPen(QPen(limit.colour, 1.2, Qt::DashLine));
        painter.drawLine(QPointF(x(limit.value), plot.top()), QPointF(x(limit.value), plot.bottom()));
    }
    painter.restore();
}

} // namespace voltaryn::report
