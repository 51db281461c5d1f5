#include "ui/cells/ResistanceHistogram.h"

#include <algorithm>
#include <cmath>

namespace voltaryn {
namespace {

constexpr int BinCount = 40;

} // namespace

ResistanceHistogram::ResistanceHistogram(QWidget* parent) : QCustomPlot(parent), bars_(new QCPBars(xAxis, yAxis))
{
    xAxis->setLabel("Resistance (mΩ)");
    yAxis->setLabel("Cells");
    bars_->setPen(Qt::NoPen);
    bars_->setBrush(QColor(90, 90, 90));
}

void ResistanceHistogram::SetGrades(const cells::GradeTable& grades)
{
    for (QCPItemStraightLine* line : limits_)
        removeItem(line);
    limits_.clear();
    // A grade's lower limit is often the upper one of the grade before: each is drawn once, in the
    // colour of the first grade that names it.
    std::vector<double> drawn;
    for (const cells::Grade& grade : grades.Grades) {
        for (const std::optional<double>& limit : {grade.Limits.MaxResistance, grade.Limits.MinResistance}) {
            if (!limit || std::find(drawn.begin(), drawn.end(), *limit) != drawn.end())
                continue;
            drawn.push_back(*limit);
            auto* line = new QCPItemStraightLine(this);
            line->point1->setCoords(*limit, 0);
            line->point2->setCoords(*limit, 1);
            line->setPen(QPen(QColor(QString::fromStdString(grade.Colour)), 2, Qt::DashLine));
            limits_.push_back(line);
        }
    }
    replot();
}

void ResistanceHistogram::Show(const std::vector<double>& resistancesMilliOhm)
{
    // The range takes in every cell and every grade limit, so the limits stay in sight.
    double low = 0;
    double high = 1;
    for (const QCPItemStraightLine* line : limits_)
        high = std::max(high, line->point1->coords().x());
    if (!resistancesMilliOhm.empty())
        high = std::max(high, *std::max_element(resistancesMilliOhm.begin(), resistancesMilliOhm.end()));
    high *= 1.05;
    const double width = (high - low) / BinCount;
    QVector<double> centres(BinCount);
    QVector<double> counts(BinCount, 0);
    for (int bin = 0; bin < BinCount; ++bin)
        centres[bin] = low + (bin + 0.5) * width;
    for (const double resistance : resistancesMilliOhm)
        ++counts[std::clamp(static_cast<int>(std::floor((resistance - low) / width)), 0, BinCount - 1)];
    bars_->setWidth(width * 0.9);
    bars_->setData(centres, counts, true);
    xAxis->setRange(low, high);
    yAxis->setRange(0, std::max(1.0, *std::max_element(counts.begin(), counts.end()) * 1.1));
    replot(QCustomPlot::rpQueuedReplot);
}

} // namespace voltaryn
