#include "report/ChartAxis.h"

#include "report/StringCharts.h"

#include <QLocale>

#include <algorithm>
#include <cmath>

namespace voltaryn::report {

double RoundStep(double span, int parts)
{
    const double raw = span / parts;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (const double factor : {1.0, 2.0, 5.0})
        if (raw <= factor * power)
            return factor * power;
    return 10 * power;
}

QString AxisNumber(double value, double step)
{
    const int decimals = std::clamp(static_cast<int>(-std::floor(std::log10(step))), 0, 4);
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    // A tick at zero computed a hair below it would read "-0".
    return locale.toString(std::abs(value) < step / 2 ? 0.0 : value, 'f', decimals);
}

double ChartTextSize(const QRectF& area, double rows, double columns)
{
    return std::clamp(std::min(area.height() / rows, area.width() / columns), 6.0, 13.0);
}

QFont ChartFont(const QPainter& painter, double size, bool bold)
{
    QFont font = painter.font();
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(size))));
    font.setBold(bold);
    return font;
}

ValueAxis AxisOver(const QRectF& plot, double low, double high, double textSize)
{
    if (high - low < 1e-9)
        high = low + 1;
    const int parts = std::clamp(static_cast<int>(plot.height() / (2.2 * textSize)), 2, 8);
    const double step = RoundStep(high - low, parts);
    return {plot, std::floor(low / step + 1e-9) * step, std::ceil(high / step - 1e-9) * step, step};
}

void PaintValueAxis(QPainter& painter, const ValueAxis& axis, const QColor& ink, double textSize)
{
    painter.save();
    painter.setFont(ChartFont(painter, textSize));
    QColor grid = ink;
    grid.setAlphaF(0.18);
    const auto ticks = static_cast<int>(std::lround((axis.high - axis.low) / axis.step));
    for (int i = 0; i <= ticks; ++i) {
        const double value = axis.low + i * axis.step;
        const double y = axis.Y(value);
        painter.setPen(QPen(std::abs(value) < axis.step / 2 ? ink : grid, textSize / 12));
        painter.drawLine(QPointF(axis.plot.left(), y), QPointF(axis.plot.right(), y));
        painter.setPen(ink);
        painter.drawText(QRectF(axis.plot.left() - (NumbersMargin - 0.3) * textSize, y - textSize,
                                (NumbersMargin - 0.6) * textSize, 2 * textSize),
                         Qt::AlignRight | Qt::AlignVCenter, AxisNumber(value, axis.step));
    }
    painter.restore();
}

void PaintLimitLines(QPainter& painter, const ValueAxis& axis, const strings::ChangeLimits& limits, double textSize)
{
    painter.save();
    painter.setFont(ChartFont(painter, textSize, true));
    const double warnY = axis.Y(limits.warnPercent);
    // Lines close together keep their names apart.
    const double failY = std::min(axis.Y(limits.failPercent), warnY - 1.2 * textSize);
    const struct {
        strings::Verdict verdict;
        double percent;
        double labelY;
        QString name;
    } lines[] = {{strings::Verdict::Warn, limits.warnPercent, warnY, ChartWords::tr("warn")},
                 {strings::Verdict::Fail, limits.failPercent, failY, ChartWords::tr("fail")}};
    for (const auto& line : lines) {
        const double y = axis.Y(line.percent);
        if (line.percent < axis.low || line.percent > axis.high)
            continue;
        painter.setPen(QPen(VerdictColour(line.verdict), textSize / 6, Qt::DashLine));
        painter.drawLine(QPointF(axis.plot.left(), y), QPointF(axis.plot.right(), y));
        const QRectF label(axis.plot.right() + 0.3 * textSize, line.labelY - textSize, (LineNamesMargin - 0.3) * textSize,
                           2 * textSize);
        painter.drawText(label, Qt::AlignLeft | Qt::AlignVCenter,
                         painter.fontMetrics().elidedText(line.name, Qt::ElideRight, static_cast<int>(label.width())));
    }
    painter.restore();
}

} // namespace voltaryn::report
