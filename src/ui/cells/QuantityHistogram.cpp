#include "ui/cells/QuantityHistogram.h"

#include "ui/common/DisplayNumbers.h"

#include <algorithm>

namespace voltaryn {

QuantityHistogram::QuantityHistogram(const QString& axisLabel, bool fromZero, QWidget* parent)
    : QCustomPlot(parent), fromZero_(fromZero), bars_(new QCPBars(xAxis, yAxis))
{
    xAxis->setLabel(axisLabel);
    yAxis->setLabel(tr("Cells"));
    setLocale(DisplayLocale());
    // Room for the axes' figures and titles, however large the font.
    setMinimumSize(fontMetrics().averageCharWidth() * 32, fontMetrics().height() * 11);
    bars_->setPen(Qt::NoPen);
    FollowPalette();
}

void QuantityHistogram::changeEvent(QEvent* event)
{
    QCustomPlot::changeEvent(event);
    if (event->type() == QEvent::PaletteChange) {
        FollowPalette();
        replot(QCustomPlot::rpQueuedReplot);
    }
}

void QuantityHistogram::FollowPalette()
{
    setBackground(palette().color(QPalette::Base));
    const QColor text = palette().color(QPalette::Text);
    QColor grid = text;
    grid.setAlphaF(0.2F);
    for (QCPAxis* axis : {xAxis, yAxis}) {
        axis->setBasePen(QPen(text));
        axis->setTickPen(QPen(text));
        axis->setSubTickPen(QPen(text));
        axis->setTickLabelColor(text);
        axis->setLabelColor(text);
        axis->grid()->setPen(QPen(grid, 1, Qt::DotLine));
    }
    QColor bar = text;
    bar.setAlphaF(0.6F);
    bars_->setBrush(bar);
}

QuantityHistogram* QuantityHistogram::Resistance(QWidget* parent)
{
    auto* histogram = new QuantityHistogram(tr("Resistance (mΩ)"), true, parent);
    histogram->setObjectName("resistanceHistogram");
    histogram->bounds_ = [](const cells::GradeLimits& l) { return std::pair(l.MinResistance, l.MaxResistance); };
    return histogram;
}

QuantityHistogram* QuantityHistogram::Voltage(QWidget* parent)
{
    auto* histogram = new QuantityHistogram(tr("Voltage (V)"), false, parent);
    histogram->setObjectName("voltageHistogram");
    histogram->bounds_ = [](const cells::GradeLimits& l) { return std::pair(l.MinVoltage, l.MaxVoltage); };
    return histogram;
}

QuantityHistogram* QuantityHistogram::SelfDischarge(QWidget* parent)
{
    auto* histogram = new QuantityHistogram(tr("Self-discharge (mV/day)"), false, parent);
    histogram->setObjectName("selfDischargeHistogram");
    return histogram;
}

void QuantityHistogram::SetGrades(const cells::GradeTable& grades) { SetLines(cells::GradeLines(grades, bounds_)); }

void QuantityHistogram::SetLines(const std::vector<cells::HistogramLine>& lines)
{
    for (QCPItemStraightLine* item : lineItems_)
        removeItem(item);
    lineItems_.clear();
    lines_ = lines;
    for (const cells::HistogramLine& line : lines_) {
        auto* item = new QCPItemStraightLine(this);
        item->point1->setCoords(line.value, 0);
        item->point2->setCoords(line.value, 1);
        item->setPen(QPen(QColor(QString::fromStdString(line.colour)), 2, Qt::DashLine));
        lineItems_.push_back(item);
    }
    replot(QCustomPlot::rpQueuedReplot);
}

void QuantityHistogram::Show(const std::vector<double>& values)
{
    const cells::Histogram histogram = cells::HistogramOf(values, lines_, fromZero_);
    const double width = histogram.BarWidth();
    QVector<double> centres;
    QVector<double> counts;
    for (std::size_t bar = 0; bar < histogram.counts.size(); ++bar) {
        centres.push_back(histogram.low + (static_cast<double>(bar) + 0.5) * width);
        counts.push_back(histogram.counts[bar]);
    }
    bars_->setWidth(width * 0.9);
    bars_->setData(centres, counts, true);
    xAxis->setRange(histogram.low, histogram.high);
    yAxis->setRange(0, std::max(1.0, *std::max_element(counts.begin(), counts.end()) * 1.1));
    replot(QCustomPlot::rpQueuedReplot);
}

std::vector<double> QuantityHistogram::Limits() const
{
    std::vector<double> values;
    values.reserve(lines_.size());
    for (const cells::HistogramLine& line : lines_)
        values.push_back(line.value);
    return values;
}

std::vector<int> QuantityHistogram::Counts() const
{
    std::vector<int> counts;
    for (auto bar = bars_->data()->constBegin(); bar != bars_->data()->constEnd(); ++bar)
        counts.push_back(static_cast<int>(bar->value));
    return counts;
}

} // namespace voltaryn
