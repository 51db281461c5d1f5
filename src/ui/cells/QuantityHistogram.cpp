#include "ui/cells/QuantityHistogram.h"

#include <algorithm>
#include <cmath>

namespace voltaryn {
namespace {

constexpr int BinCount = 40;

} // namespace

QuantityHistogram::QuantityHistogram(const QString& axisLabel, LimitsOf limitsOf, bool fromZero, QWidget* parent)
    : QCustomPlot(parent), limitsOf_(limitsOf), fromZero_(fromZero), bars_(new QCPBars(xAxis, yAxis))
{
    xAxis->setLabel(axisLabel);
    yAxis->setLabel(tr("Cells"));
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
    auto* histogram = new QuantityHistogram(
        tr("Resistance (mΩ)"), [](const cells::GradeLimits& l) { return std::make_pair(l.MinResistance, l.MaxResistance); },
        true, parent);
    histogram->setObjectName("resistanceHistogram");
    return histogram;
}

QuantityHistogram* QuantityHistogram::Voltage(QWidget* parent)
{
    auto* histogram = new QuantityHistogram(
        tr("Voltage (V)"), [](const cells::GradeLimits& l) { return std::make_pair(l.MinVoltage, l.MaxVoltage); }, false,
        parent);
    histogram->setObjectName("voltageHistogram");
    return histogram;
}

void QuantityHistogram::SetGrades(const cells::GradeTable& grades)
{
    for (QCPItemStraightLine* line : limits_)
        removeItem(line);
    limits_.clear();
    limitValues_.clear();
    // A grade's lower limit is often the upper one of the grade before: each is drawn once, in the
    // colour of the first grade that names it.
    for (const cells::Grade& grade : grades.Grades) {
        const auto [low, high] = limitsOf_(grade.Limits);
        for (const std::optional<double>& limit : {high, low}) {
            if (!limit || std::find(limitValues_.begin(), limitValues_.end(), *limit) != limitValues_.end())
                continue;
            limitValues_.push_back(*limit);
            auto* line = new QCPItemStraightLine(this);
            line->point1->setCoords(*limit, 0);
            line->point2->setCoords(*limit, 1);
            line->setPen(QPen(QColor(QString::fromStdString(grade.Colour)), 2, Qt::DashLine));
            limits_.push_back(line);
        }
    }
    replot(QCustomPlot::rpQueuedReplot);
}

void QuantityHistogram::Show(const std::vector<double>& values)
{
    // The range takes in every cell and every grade limit, so the limits stay in sight.
    const auto [lowest, highest] = std::minmax_element(values.begin(), values.end());
    double low = fromZero_ ? 0.0 : (values.empty() ? 0.0 : *lowest);
    double high = values.empty() ? 1.0 : *highest;
    for (const double limit : limitValues_) {
        low = std::min(low, limit);
        high = std::max(high, limit);
    }
    const double margin = high > low ? (high - low) * 0.05 : std::max(1.0, std::abs(high) * 0.05);
    if (!fromZero_)
        low -= margin;
    high += margin;
    const double width = (high - low) / BinCount;
    QVector<double> centres(BinCount);
    QVector<double> counts(BinCount, 0);
    for (int bin = 0; bin < BinCount; ++bin)
        centres[bin] = low + (bin + 0.5) * width;
    for (const double value : values)
        ++counts[std::clamp(static_cast<int>(std::floor((value - low) / width)), 0, BinCount - 1)];
    bars_->setWidth(width * 0.9);
    bars_->setData(centres, counts, true);
    xAxis->setRange(low, high);
    yAxis->setRange(0, std::max(1.0, *std::max_element(counts.begin(), counts.end()) * 1.1));
    replot(QCustomPlot::rpQueuedReplot);
}

std::vector<int> QuantityHistogram::Counts() const
{
    std::vector<int> counts;
    for (auto bar = bars_->data()->constBegin(); bar != bars_->data()->constEnd(); ++bar)
        counts.push_back(static_cast<int>(bar->value));
    return counts;
}

} // namespace voltaryn
