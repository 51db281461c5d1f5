// A block's trend chart: its change at each inspection against time, with the fitted line.
#include "report/ChartAxis.h"
#include "report/StringCharts.h"

#include <QDate>
#include <QLocale>

#include <algorithm>
#include <cmath>

namespace voltaryn::report {
namespace {

using std::chrono::sys_days;

// Days since 1970, the time axis's unit.
double Day(sys_days day) { return static_cast<double>(day.time_since_epoch().count()); }
constexpr qint64 JulianDayOf1970 = 2440588;
QDate DateOf(double day) { return QDate::fromJulianDay(JulianDayOf1970 + std::llround(std::floor(day))); }
sys_days SysDay(double day) { return sys_days{std::chrono::days{std::llround(std::floor(day))}}; }

// The time axis over first..last days along `plot`'s width.
struct TimeAxis {
    QRectF plot;
    double first = 0;
    double last = 1;

    double X(double day) const { return plot.left() + (day - first) / (last - first) * plot.width(); }
};

// The points with a change, in the trend's order.
std::vector<const strings::TrendPoint*> Charted(const strings::BlockTrend& trend)
{
    std::vector<const strings::TrendPoint*> charted;
    charted.reserve(trend.points.size());
    for (const strings::TrendPoint& point : trend.points)
        if (point.changePercent)
            charted.push_back(&point);
    return charted;
}

// The last day the chart shows: the latest reading, and the forecasts the line reaches within as
// long again as the readings span (a year at least).
double ChartEnd(const strings::BlockTrend& trend, double first, double latest)
{
    const double reach = latest + std::max(365.0, latest - first);
    double end = latest;
    for (const std::optional<strings::LimitForecast>& forecast : {trend.warn, trend.fail})
        if (forecast && !forecast->now)
            end = std::max(end, std::min(Day(forecast->date), reach));
    return end;
}

// Month ticks a round number of months apart, as many as fit; labelled by year once a year apart.
void PaintTimeTicks(QPainter& painter, const TimeAxis& axis, const QColor& ink, double text)
{
    const double months = (axis.last - axis.first) / 30.44;
    const double room = std::max(1.0, axis.plot.width() / (6.5 * text));
    int every = 120;
    for (const int step : {1, 2, 3, 6, 12, 24, 60, 120}) {
        if (months / step <= room) {
            every = step;
            break;
        }
    }
    const QLocale locale;
    painter.setFont(ChartFont(painter, text));
    const QDate start = DateOf(axis.first);
    QDate tick(start.year(), 1, 1);
    while (tick <= DateOf(axis.last)) {
        const double x = axis.X(static_cast<double>(tick.toJulianDay() - JulianDayOf1970));
        if (tick >= start) {
            painter.setPen(QPen(ink, text / 12));
            painter.drawLine(QPointF(x, axis.plot.bottom()), QPointF(x, axis.plot.bottom() + 0.4 * text));
            painter.drawText(QRectF(x - 3.5 * text, axis.plot.bottom() + 0.4 * text, 7 * text, 1.5 * text), Qt::AlignCenter,
                             every >= 12 ? QString::number(tick.year()) : locale.toString(tick, QStringLiteral("MMM yyyy")));
        }
        tick = tick.addMonths(every);
    }
}

// The fitted line from the oldest reading it was fitted to up to the chart's end.
void PaintFittedLine(QPainter& painter, const strings::BlockTrend& trend, const TimeAxis& time, const ValueAxis& values,
                     const QColor& ink, double text)
{
    if (!trend.lineStart)
        return;
    const double from = Day(trend.lineStart->date);
    const auto at = [&](double day) { return QPointF(time.X(day), values.Y(*strings::FittedChange(trend, SysDay(day)))); };
    painter.setPen(QPen(ink, text / 7, Qt::DashLine));
    painter.drawLine(at(from), at(time.last));
}

// A forecast crossing ahead: a diamond on its line and its month above it.
void PaintForecasts(QPainter& painter, const strings::BlockTrend& trend, const strings::ChangeLimits& limits,
                    const TimeAxis& time, const ValueAxis& values, double text)
{
    const QLocale locale;
    painter.setFont(ChartFont(painter, text));
    const struct {
        const std::optional<strings::LimitForecast>& forecast;
        strings::Verdict verdict;
        double percent;
    } lines[] = {{trend.warn, strings::Verdict::Warn, limits.warnPercent},
                 {trend.fail, strings::Verdict::Fail, limits.failPercent}};
    for (const auto& line : lines) {
        if (!line.forecast || line.forecast->now || Day(line.forecast->date) > time.last)
            continue;
        const QPointF at(time.X(Day(line.forecast->date)), values.Y(line.percent));
        const double r = 0.45 * text;
        painter.setPen(Qt::NoPen);
        painter.setBrush(VerdictColour(line.verdict));
        painter.drawPolygon(QPolygonF({at + QPointF(0, -r), at + QPointF(r, 0), at + QPointF(0, r), at + QPointF(-r, 0)}));
        painter.setPen(VerdictColour(line.verdict));
        const double left = std::clamp(at.x() - 3.5 * text, time.plot.left(), time.plot.right() - 7 * text);
        painter.drawText(QRectF(left, at.y() - 2 * text, 7 * text, 1.5 * text), Qt::AlignCenter,
                         locale.toString(DateOf(Day(line.forecast->date)), QStringLiteral("MMM yyyy")));
    }
}

void PaintPoints(QPainter& painter, const std::vector<const strings::TrendPoint*>& points, const TimeAxis& time,
                 const ValueAxis& values, const QColor& ink, double text)
{
    QPolygonF line;
    line.reserve(static_cast<qsizetype>(points.size()));
    for (const strings::TrendPoint* point : points)
        line << QPointF(time.X(Day(point->date)), values.Y(*point->changePercent));
    painter.setPen(QPen(ink, text / 8));
    painter.drawPolyline(line);
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink);
    for (const QPointF& at : line)
        painter.drawEllipse(at, 0.35 * text, 0.35 * text);
}

void PaintTitle(QPainter& painter, const QRectF& area, const strings::BlockTrend& trend, double text)
{
    painter.setFont(ChartFont(painter, text * 1.1, true));
    const QRectF row(area.left(), area.top(), area.width(), 1.8 * text);
    painter.drawText(row, Qt::AlignLeft | Qt::AlignVCenter, ChartWords::tr("Block %1").arg(trend.block));
    if (trend.slopePercentPerYear) {
        painter.setFont(ChartFont(painter, text));
        painter.drawText(row, Qt::AlignRight | Qt::AlignVCenter,
                         ChartWords::tr("%1 % a year against baseline")
                             .arg(QLocale().toString(*trend.slopePercentPerYear, 'f', 1).prepend(
                                 *trend.slopePercentPerYear > 0 ? QStringLiteral("+") : QString())));
    }
}

} // namespace

void PaintTrendChart(QPainter& painter, const QRectF& area, const strings::BlockTrend& trend,
                     const strings::ChangeLimits& limits)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor ink = painter.pen().color();
    const double text = ChartTextSize(area, 20, 45);
    PaintTitle(painter, area, trend, text);
    const QRectF plot(area.left() + NumbersMargin * text, area.top() + 2.6 * text,
                      std::max(1.0, area.width() - (NumbersMargin + LineNamesMargin) * text),
                      std::max(1.0, area.height() - 4.8 * text));
    const std::vector<const strings::TrendPoint*> points = Charted(trend);
    if (points.empty()) {
        painter.setPen(ink);
        painter.setFont(ChartFont(painter, text));
        painter.drawText(plot, Qt::AlignCenter, ChartWords::tr("No baseline: no change to chart"));
        painter.restore();
        return;
    }
    const double first = Day(points.front()->date);
    const double latest = Day(points.back()->date);
    const double end = ChartEnd(trend, first, latest);
    const double pad = (end - first) * 0.04 + 15;
    const TimeAxis time{plot, first - pad, end + pad};

    double low = 0;
    double high = limits.failPercent * 1.12;
    for (const strings::TrendPoint* point : points) {
        low = std::min(low, *point->changePercent);
        high = std::max(high, *point->changePercent);
    }
    if (trend.lineStart) {
        for (const double day : {Day(trend.lineStart->date), time.last}) {
            const double fitted = strings::FittedChange(trend, SysDay(day)).value_or(0);
            low = std::min(low, fitted);
            high = std::max(high, fitted);
        }
    }
    const ValueAxis values = AxisOver(plot, low, high, text);
    PaintValueAxis(painter, values, ink, text);
    PaintLimitLines(painter, values, limits, text);
    PaintTimeTicks(painter, time, ink, text);
    PaintFittedLine(painter, trend, time, values, ink, text);
    PaintPoints(painter, points, time, values, ink, text);
    PaintForecasts(painter, trend, limits, time, values, text);
    painter.restore();
}

} // namespace voltaryn::report
