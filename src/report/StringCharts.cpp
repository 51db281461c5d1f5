#include "report/StringCharts.h"

#include "report/ChartAxis.h"

#include <QLocale>

#include <algorithm>
#include <cmath>
#include <ranges>

namespace voltaryn::report {
namespace {

// Where the parts of a string's chart lie in its area; the words' size follows the area.
struct ChartGeometry {
    double text = 0;
    QRectF title;    // the title and the legend
    QRectF bars;     // change against the baseline
    QRectF numbers;  // the blocks' numbers
    QRectF caption;  // the voltage row's
    QRectF volts;    // voltage per cell
};

ChartGeometry GeometryOf(const QRectF& area)
{
    ChartGeometry g;
    const double t = g.text = ChartTextSize(area, 28, 60);
    const double left = area.left() + NumbersMargin * t;
    const double width = std::max(1.0, area.right() - LineNamesMargin * t - left);
    g.title = QRectF(area.left(), area.top(), area.width(), 1.8 * t);
    const double plots = std::max(2.0, area.height() - 6.2 * t);
    g.bars = QRectF(left, g.title.bottom() + 0.8 * t, width, plots * 0.72);
    g.numbers = QRectF(left, g.bars.bottom(), width, 1.6 * t);
    g.caption = QRectF(left, g.numbers.bottom(), width, 1.8 * t);
    g.volts = QRectF(left, g.caption.bottom(), width, plots * 0.28);
    return g;
}

double SlotWidth(const ChartGeometry& g, const StringChart& chart)
{
    return g.bars.width() / static_cast<double>(std::max<std::size_t>(chart.bars.size(), 1));
}

QColor Faded(QColor colour, float alpha)
{
    colour.setAlphaF(alpha);
    return colour;
}

const strings::ReadingVerdict* BlockReading(const strings::InspectionVerdicts& verdicts, int block)
{
    const auto found = std::ranges::find(verdicts.readings, strings::BlockPlace(block), &strings::ReadingVerdict::place);
    return found == verdicts.readings.end() ? nullptr : &*found;
}

// The title on the left; on the right what the colours and the thin bars mean.
void PaintLegend(QPainter& painter, const ChartGeometry& g, const StringChart& chart, const QColor& ink)
{
    const double t = g.text;
    struct Entry {
        QColor colour;
        QString name;
        double width = 0.9;  // of its swatch, in the words' size
    };
    std::vector<Entry> entries{{VerdictColour(strings::Verdict::Pass), ChartWords::tr("pass")},
                               {VerdictColour(strings::Verdict::Warn), ChartWords::tr("warn")},
                               {VerdictColour(strings::Verdict::Fail), ChartWords::tr("fail")},
                               {VerdictColour(strings::Verdict::None), ChartWords::tr("no figure")}};
    if (std::ranges::any_of(chart.bars, [](const BlockBar& bar) { return bar.againstPercent.has_value(); }))
        entries.push_back({Faded(ink, 0.45F), ChartWords::tr("the inspection compared"), 0.35});
    painter.setFont(ChartFont(painter, t));
    double right = g.title.right();
    for (const Entry& entry : std::views::reverse(entries)) {
        const double width = painter.fontMetrics().horizontalAdvance(entry.name);
        painter.setPen(ink);
        painter.drawText(QRectF(right - width, g.title.top(), width, g.title.height()), Qt::AlignVCenter, entry.name);
        right -= width + 0.4 * t + entry.width * t;
        painter.fillRect(QRectF(right, g.title.center().y() - 0.4 * t, entry.width * t, 0.8 * t), entry.colour);
        right -= 1.2 * t;
    }
    painter.setFont(ChartFont(painter, t * 1.1, true));
    const QRectF title(g.title.left(), g.title.top(), std::max(0.0, right - g.title.left()), g.title.height());
    painter.drawText(title, Qt::AlignLeft | Qt::AlignVCenter,
                     painter.fontMetrics().elidedText(ChartWords::tr("Change against baseline (%)"), Qt::ElideRight,
                                                      static_cast<int>(title.width())));
}

ValueAxis ChangeAxis(const ChartGeometry& g, const StringChart& chart)
{
    double low = 0;
    double high = chart.limits ? chart.limits->failPercent * 1.15 : 10;
    for (const BlockBar& bar : chart.bars) {
        for (const std::optional<double>& change : {bar.changePercent, bar.againstPercent}) {
            if (change) {
                low = std::min(low, *change);
                high = std::max(high, *change);
            }
        }
    }
    return AxisOver(g.bars, low, high, g.text);
}

void PaintBars(QPainter& painter, const ChartGeometry& g, const StringChart& chart, const ValueAxis& axis, const QColor& ink)
{
    const double slot = SlotWidth(g, chart);
    // Below three units a bar has no room for a gap.
    const double gap = slot < 3 ? 0 : slot * 0.12;
    const double zero = axis.Y(0);
    for (std::size_t i = 0; i < chart.bars.size(); ++i) {
        const BlockBar& bar = chart.bars[i];
        const double left = g.bars.left() + static_cast<double>(i) * slot;
        const double mainLeft = bar.againstPercent ? left + slot * 0.4 : left + gap;
        if (bar.againstPercent) {
            painter.fillRect(QRectF(QPointF(left + gap, axis.Y(*bar.againstPercent)), QPointF(left + slot * 0.32, zero)),
                             Faded(ink, 0.45F));
        }
        if (bar.changePercent) {
            // A change of about nothing still shows its verdict's colour.
            const double y = axis.Y(*bar.changePercent);
            const double least = 0.3 * g.text;
            const bool falling = *bar.changePercent < 0;
            const double top = falling ? zero : std::min(y, zero - least);
            const double bottom = falling ? std::max(y, zero + least) : zero;
            painter.fillRect(QRectF(QPointF(mainLeft, top), QPointF(left + slot - gap, bottom)), VerdictColour(bar.verdict));
        } else {
            // No figure: a grey mark on the zero line, so that the block is not taken for +0 %.
            painter.fillRect(QRectF(mainLeft, zero - 0.25 * g.text, left + slot - gap - mainLeft, 0.5 * g.text),
                             VerdictColour(strings::Verdict::None));
        }
    }
}

// Each block's number under its bar, as many as fit side by side: 1 and every 2nd, 5th, 10th... block.
void PaintBlockNumbers(QPainter& painter, const ChartGeometry& g, const StringChart& chart, const QColor& ink)
{
    if (chart.bars.empty())
        return;
    painter.setFont(ChartFont(painter, g.text));
    painter.setPen(ink);
    const double slot = SlotWidth(g, chart);
    const double widest = painter.fontMetrics().horizontalAdvance(QString::number(chart.bars.back().block)) + 0.6 * g.text;
    int every = 1;
    for (const int step : {1, 2, 5, 10, 20, 25, 50, 100, 200, 250, 500, 1000}) {
        every = step;
        if (slot * step >= widest)
            break;
    }
    for (std::size_t i = 0; i < chart.bars.size(); ++i) {
        const int block = chart.bars[i].block;
        if (block != 1 && block % every != 0)
            continue;
        const double centre = g.bars.left() + (static_cast<double>(i) + 0.5) * slot;
        painter.setFont(ChartFont(painter, g.text, chart.marked == block));
        painter.drawText(QRectF(centre - widest, g.numbers.top(), 2 * widest, g.numbers.height()), Qt::AlignCenter,
                         QString::number(block));
    }
}

// The row of voltages per cell: the float band shaded, each block's figure a dot in its verdict's colour.
void PaintVolts(QPainter& painter, const ChartGeometry& g, const StringChart& chart, const QColor& ink)
{
    const QLocale locale;
    painter.setFont(ChartFont(painter, g.text));
    painter.setPen(ink);
    QString caption = ChartWords::tr("Voltage per cell");
    if (chart.floatBand) {
        caption = ChartWords::tr("Voltage per cell; float band at 25 °C %1–%2 V")
                      .arg(locale.toString(chart.floatBand->low, 'f', 3), locale.toString(chart.floatBand->high, 'f', 3));
    }
    painter.drawText(g.caption, Qt::AlignLeft | Qt::AlignBottom, caption);
    painter.setPen(QPen(Faded(ink, 0.5F), g.text / 12));
    painter.drawRect(g.volts);
    double low = chart.floatBand ? chart.floatBand->low : 1e9;
    double high = chart.floatBand ? chart.floatBand->high : -1e9;
    for (const BlockBar& bar : chart.bars) {
        if (bar.voltsPerCell) {
            low = std::min(low, *bar.voltsPerCell);
            high = std::max(high, *bar.voltsPerCell);
        }
    }
    if (low > high)
        return;
    const double margin = std::max((high - low) * 0.2, 0.01);
    const auto y = [&](double volts) {
        return g.volts.bottom() - (volts - low + margin) / (high - low + 2 * margin) * g.volts.height();
    };
    if (chart.floatBand) {
        painter.fillRect(QRectF(QPointF(g.volts.left(), y(chart.floatBand->high)), QPointF(g.volts.right(), y(chart.floatBand->low))),
                         Faded(VerdictColour(strings::Verdict::Pass), 0.22F));
        painter.setPen(ink);
        for (const double edge : {chart.floatBand->low, chart.floatBand->high}) {
            painter.drawText(QRectF(g.volts.left() - (NumbersMargin - 0.3) * g.text, y(edge) - g.text,
                                    (NumbersMargin - 0.6) * g.text, 2 * g.text),
                             Qt::AlignRight | Qt::AlignVCenter, locale.toString(edge, 'f', 3));
        }
    }
    const double slot = SlotWidth(g, chart);
    const double radius = std::clamp(slot * 0.3, 0.8, g.text * 0.35);
    painter.setPen(Qt::NoPen);
    for (std::size_t i = 0; i < chart.bars.size(); ++i) {
        if (const std::optional<double> volts = chart.bars[i].voltsPerCell) {
            painter.setBrush(VerdictColour(chart.bars[i].floatVerdict));
            painter.drawEllipse(QPointF(g.volts.left() + (static_cast<double>(i) + 0.5) * slot, y(*volts)), radius, radius);
        }
    }
}

void PaintMarked(QPainter& painter, const ChartGeometry& g, const StringChart& chart, const QColor& ink)
{
    const auto found = std::ranges::find(chart.bars, chart.marked, [](const BlockBar& bar) { return std::optional(bar.block); });
    if (!chart.marked || found == chart.bars.end())
        return;
    const double slot = SlotWidth(g, chart);
    const double left = g.bars.left() + static_cast<double>(found - chart.bars.begin()) * slot;
    const double pen = std::max(1.0, g.text / 5);
    painter.setPen(QPen(ink, pen));
    painter.setBrush(Qt::NoBrush);
    // Framed in both rows, the voltage row's caption left to read.
    for (const auto& [top, bottom] : {std::pair(g.bars.top(), g.numbers.bottom()), std::pair(g.volts.top(), g.volts.bottom())})
        painter.drawRect(QRectF(QPointF(left - pen / 2, top), QPointF(left + slot + pen / 2, bottom)));
}

} // namespace

StringChart StringChartOf(const store::JudgedString& judged, const strings::InspectionVerdicts& verdicts,
                          const strings::InspectionVerdicts* against)
{
    StringChart chart;
    chart.limits = strings::BaselineLimits(judged.policies);
    chart.floatBand = strings::FloatBandOf(judged.policies, judged.layout.chemistry);
    chart.bars.reserve(static_cast<std::size_t>(std::max(judged.layout.blocks, 0)));
    for (int block = 1; block <= judged.layout.blocks; ++block) {
        BlockBar& bar = chart.bars.emplace_back();
        bar.block = block;
        if (const strings::ReadingVerdict* reading = BlockReading(verdicts, block)) {
            bar.changePercent = reading->changePercent;
            bar.verdict = reading->verdict;
            const auto volts = std::ranges::find(reading->results, strings::FigureKind::VoltsPerCell, &strings::PolicyResult::kind);
            if (volts != reading->results.end()) {
                bar.voltsPerCell = volts->figure;
                bar.floatVerdict = volts->verdict;
            }
        }
        if (const strings::ReadingVerdict* earlier = against != nullptr ? BlockReading(*against, block) : nullptr)
            bar.againstPercent = earlier->changePercent;
    }
    return chart;
}

void PaintStringChart(QPainter& painter, const QRectF& area, const StringChart& chart)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor ink = painter.pen().color();
    const ChartGeometry g = GeometryOf(area);
    PaintLegend(painter, g, chart, ink);
    const ValueAxis axis = ChangeAxis(g, chart);
    PaintValueAxis(painter, axis, ink, g.text);
    PaintBars(painter, g, chart, axis, ink);
    if (chart.limits)
        PaintLimitLines(painter, axis, *chart.limits, g.text);
    PaintBlockNumbers(painter, g, chart, ink);
    PaintVolts(painter, g, chart, ink);
    PaintMarked(painter, g, chart, ink);
    painter.restore();
}

std::optional<int> BlockAt(const QRectF& area, const StringChart& chart, double x)
{
    const ChartGeometry g = GeometryOf(area);
    if (chart.bars.empty() || x < g.bars.left() || x >= g.bars.right())
        return std::nullopt;
    const auto index = static_cast<std::size_t>((x - g.bars.left()) / SlotWidth(g, chart));
    return chart.bars[std::min(index, chart.bars.size() - 1)].block;
}

QColor VerdictColour(strings::Verdict verdict)
{
    // Told apart by most colour-blind eyes too: bluish green, orange, vermilion.
    switch (verdict) {
    case strings::Verdict::Pass: return {0x00, 0x9e, 0x73};
    case strings::Verdict::Warn: return {0xe6, 0x9f, 0x00};
    case strings::Verdict::Fail: return {0xd5, 0x3e, 0x0f};
    case strings::Verdict::None: break;
    }
    return {0x9e, 0x9e, 0x9e};
}

} // namespace voltaryn::report
