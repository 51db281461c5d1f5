#pragma once

#include "cells/Grades.h"

#include <qcustomplot.h>

#include <optional>
#include <utility>
#include <vector>

namespace voltaryn {

// One quantity of a batch's cells as a histogram, with each grade's limits of that quantity drawn
// as lines in the grade's colour.
class QuantityHistogram : public QCustomPlot {
    Q_OBJECT
public:
    // A grade's lower and upper limit of the quantity; either may be absent.
    using LimitsOf = std::pair<std::optional<double>, std::optional<double>> (*)(const cells::GradeLimits&);

    // `fromZero`: the axis starts at zero (resistance) rather than at the lowest value (voltage).
    QuantityHistogram(const QString& axisLabel, LimitsOf limitsOf, bool fromZero, QWidget* parent = nullptr);

    static QuantityHistogram* Resistance(QWidget* parent);
    static QuantityHistogram* Voltage(QWidget* parent);

    void SetGrades(const cells::GradeTable& grades);
    void Show(const std::vector<double>& values);
    // The limits drawn, each once, in the order the grades name them.
    const std::vector<double>& Limits() const { return limitValues_; }
    // The number of cells in each bar, from the lowest bar up.
    std::vector<int> Counts() const;

protected:
    void changeEvent(QEvent* event) override;

private:
    // Background, axes, text and bars in the palette's colours, so the plot reads on light and
    // dark desktops alike.
    void FollowPalette();

    LimitsOf limitsOf_;
    bool fromZero_;
    QCPBars* bars_;
    std::vector<QCPItemStraightLine*> limits_;
    std::vector<double> limitValues_;
};

} // namespace voltaryn
