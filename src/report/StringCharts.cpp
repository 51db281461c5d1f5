#include "report/StringCharts.h"

#include <QCoreApplication>
#include <QLocale>

#include <algorithm>
#include <cmath>

namespace voltaryn::report {
namespace {

// The chart's parts: an axis column on the left, the bars above, the voltage row under them.
constexpr double AxisWidth = 40;
constexpr double VoltRowShare = 0.22;
constexpr double Gap = 6;
constexpr double LabelHeight = 14;  // the block numbers under the bars

QRectF BarsArea(const QRectF& area)
{
    return {area.left() + AxisWidth, area.top() + Gap, area.width() - AxisWidth - Gap,
            area.height() * (1 - VoltRowShare) - 2 * Gap - LabelHeight};
}

QRectF VoltRow(const QRectF& area)
{
    const QRectF bars = BarsArea(area);
    const double top = bars.bottom() + LabelHeight + Gap;
    return {bars.left(), top, bars.width(), area.bottom() - top - Gap};
}

const strings::PolicyResult* FloatResult(const strings::ReadingVerdict& verdict)
{
    const auto found = std::ranges::find(verdict.results, strings::FigureKind::VoltsPerCell, &strings::PolicyResult::kind);
    return found == verdict.results.end() ? nullptr : &*found;
}

std::optional<strings::FloatBand> FloatBandOf(const store::JudgedString& judged)
{
    for (const strings::Policy& policy : judged.policies.policies)
        if (const auto* rule = std::get_if<strings::FloatVoltageRule>(&policy.rule))
            return rule->BandOf(judged.layout.chemistry);
    return std::nullopt;
}

// The change axis runs from the lowest change (0 at most) to the highest, the fail line included.
std::pair<double, double> ChangeRange(const StringChart& chart)
{
    double low = 0;
    double high = chart.limits ? chart.limits->failPercent * 1.2 : 50;
    for (const BlockBar& bar : chart.bars)
        for (const std::optional<double>& change : {bar.changePercent, bar.againstPercent})
            if (change) {
                low = std::min(low, *change * 1.1);
                high = std::max(high, *change * 1.1);
            }
    return {low, high};
}

void DrawLine(QPainter& painter, const QRectF& bars, double y, const QColor& colour, const QString& label)
{
    painter.setPen(QPen(colour, 1.5, Qt::DashLine));
    painter.drawLine(QPointF(bars.left(), y), QPointF(bars.right(), y));
    painter.drawText(QRectF(bars.left() - AxisWidth, y - 8, AxisWidth - 3, 16), Qt::AlignRight | Qt::AlignVCenter, label);
}

void PaintVoltRow(QPainter& painter, const QRectF& row, const StringChart& chart, double slot)
{
    painter.setPen(QPen(painter.pen().color(), 1));
    painter.drawText(QRectF(row.left() - AxisWidth, row.top(), AxisWidth - 3, row.height()),
                     Qt::AlignRight | Qt::AlignVCenter, QCoreApplication::translate("StringCharts", "V/cell"));
    if (!chart.floatBand)
        return;
    const double span = (chart.floatBand->high - chart.floatBand->low) * 3;
    const double low = chart.floatBand->low - span / 3;
    const auto yOf = [&](double volts) {
        return row.bottom() - std::clamp((volts - low) / span, 0.0, 1.0) * row.height();
    };
    painter.fillRect(QRectF(row.left(), yOf(chart.floatBand->high), row.width(),
                            yOf(chart.floatBand->low) - yOf(chart.floatBand->high)),
                     QColor(46, 125, 50, 40));
    for (std::size_t i = 0; i < chart.bars.size(); ++i)
        if (const std::optional<double> volts = chart.bars[i].voltsPerCell) {
            const bool inside = *volts >= chart.floatBand->low && *volts <= chart.floatBand->high;
            painter.setBrush(inside ? QColor(46, 125, 50) : QColor(198, 40, 40));
            painter.setPen(Qt::NoPen);
            const double radius = std::clamp(slot / 3, 1.5, 5.0);
            painter.drawEllipse(QPointF(row.left() + (static_cast<double>(i) + 0.5) * slot, yOf(*volts)), radius, radius);
        }
}

} // namespace

QColor VerdictColour(strings::Verdict verdict)
{
    switch (verdict) {
    case strings::Verdict::Pass: return {46, 125, 50};
    case strings::Verdict::Warn: return {255, 143, 0};
    case strings::Verdict::Fail: return {198, 40, 40};
    case strings::Verdict::None: break;
    }
    return {158, 158, 158};
}

StringChart StringChartOf(const store::JudgedString& judged, const strings::InspectionVerdicts& verdicts,
                          const strings::InspectionVerdicts* against)
{
    StringChart chart;
    chart.limits = strings::BaselineLimits(judged.policies);
    chart.floatBand = FloatBandOf(judged);
    for (int block = 1; block <= judged.layout.blocks; ++block)
        chart.bars.push_back({block, {}, strings::Verdict::None, {}, {}});
    for (const strings::ReadingVerdict& verdict : verdicts.readings) {
        if (verdict.place.kind != strings::PlaceKind::Block)
            continue;
        BlockBar& bar = chart.bars[static_cast<std::size_t>(verdict.place.number - 1)];
        bar.changePercent = verdict.changePercent;
        bar.verdict = verdict.verdict;
        if (const strings::PolicyResult* result = FloatResult(verdict))
            bar.voltsPerCell = result->figure;
    }
    if (against != nullptr)
        for (const strings::ReadingVerdict& verdict : against->readings)
            if (verdict.place.kind == strings::PlaceKind::Block && verdict.place.number <= judged.layout.blocks)
                chart.bars[static_cast<std::size_t>(verdict.place.number - 1)].againstPercent = verdict.changePercent;
    return chart;
}

void PaintStringChart(QPainter& painter, const QRectF& area, const StringChart& chart)
{
    if (chart.bars.empty())
        return;
    painter.save();
    const QRectF bars = BarsArea(area);
    const double slot = bars.width() / static_cast<double>(chart.bars.size());
    const auto [low, high] = ChangeRange(chart);
    const auto yOf = [&, low = low, high = high](double change) {
        return bars.bottom() - (change - low) / (high - low) * bars.height();
    };
    const QLocale locale;
    painter.setFont(QFont(painter.font().family(), 8));
    const QColor ink = painter.pen().color();
    painter.setPen(QPen(ink, 1));
    painter.drawLine(QPointF(bars.left(), yOf(0)), QPointF(bars.right(), yOf(0)));
    painter.drawText(QRectF(bars.left() - AxisWidth, yOf(0) - 8, AxisWidth - 3, 16), Qt::AlignRight | Qt::AlignVCenter,
                     QStringLiteral("0 %"));
    if (chart.limits) {
        DrawLine(painter, bars, yOf(chart.limits->warnPercent), VerdictColour(strings::Verdict::Warn),
                 locale.toString(chart.limits->warnPercent, 'g', 3) + QStringLiteral(" %"));
        DrawLine(painter, bars, yOf(chart.limits->failPercent), VerdictColour(strings::Verdict::Fail),
                 locale.toString(chart.limits->failPercent, 'g', 3) + QStringLiteral(" %"));
    }
    for (std::size_t i = 0; i < chart.bars.size(); ++i) {
        const BlockBar& bar = chart.bars[i];
        const double left = bars.left() + static_cast<double>(i) * slot;
        if (bar.againstPercent) {
            painter.fillRect(QRectF(QPointF(left + slot * 0.1, yOf(*bar.againstPercent)), QPointF(left + slot * 0.3, yOf(0))),
                             QColor(120, 144, 156));
        }
        if (bar.changePercent)
            painter.fillRect(QRectF(QPointF(left + slot * 0.3, yOf(*bar.changePercent)), QPointF(left + slot * 0.9, yOf(0))),
                             VerdictColour(bar.verdict));
        if (chart.marked == bar.block) {
            painter.setPen(QPen(ink, 2));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(QRectF(left + 1, bars.top(), slot - 2, bars.height()));
        }
        const bool labelled = chart.bars.size() <= 40 || bar.block % 5 == 0 || bar.block == 1;
        if (labelled) {
            painter.setPen(QPen(ink, 1));
            painter.drawText(QRectF(left - 10, bars.bottom() + 1, slot + 20, LabelHeight), Qt::AlignHCenter | Qt::AlignTop,
                             QString::number(bar.block));
        }
    }
    PaintVoltRow(painter, VoltRow(area), chart, slot);
    painter.restore();
}

std::optional<int> BlockAt(const QRectF& area, const StringChart& chart, double x)
{
    const QRectF bars = BarsArea(area);
    if (chart.bars.empty() || x < bars.left() || x >= bars.right())
        return std::nullopt;
    const auto index = static_cast<std::size_t>((x - bars.left()) / (bars.width() / static_cast<double>(chart.bars.size())));
    return chart.bars[std::min(index, chart.bars.size() - 1)].block;
}

} // namespace voltaryn::report
