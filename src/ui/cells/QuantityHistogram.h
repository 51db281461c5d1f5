#pragma once

#include "cells/Histogram.h"

#include <qcustomplot.h>

#include <vector>

namespace voltaryn {

// One quantity of a batch's cells as a histogram (cells::HistogramOf), with the limits it is
// judged by drawn as lines in their colours: each grade's, or the self-discharge limits.
class QuantityHistogram : public QCustomPlot {
    Q_OBJECT
public:
    // `fromZero`: the axis starts at zero (resistance) rather than below the lowest value (voltage).
    QuantityHistogram(const QString& axisLabel, bool fromZero, QWidget* parent = nullptr);

    // The batch's resistance and voltage with its grades' limits of them (SetGrades).
    static QuantityHistogram* Resistance(QWidget* parent);
    static QuantityHistogram* Voltage(QWidget* parent);
    // The mV/day of the cells judged after a recheck.
    static QuantityHistogram* SelfDischarge(QWidget* parent);

    // The grades' limits of the quantity, for a histogram Resistance() or Voltage() made.
    void SetGrades(const cells::GradeTable& grades);
    void SetLines(const std::vector<cells::HistogramLine>& lines);
    void Show(const std::vector<double>& values);
    // The values of the lines drawn, in their order.
    std::vector<double> Limits() const;
    // The number of cells in each bar, from the lowest bar up.
    std::vector<int> Counts() const;

protected:
    void changeEvent(QEvent* event) override;

private:
    // Background, axes, text and bars in the palette's colours, so the plot reads on light and
    // dark desktops alike.
    void FollowPalette();

    cells::GradeBounds bounds_ = nullptr;
    bool fromZero_;
    QCPBars* bars_;
    std::vector<QCPItemStraightLine*> lineItems_;
    std::vector<cells::HistogramLine> lines_;
};

} // namespace voltaryn
