#pragma once

#include "cells/Grades.h"

#include <qcustomplot.h>

#include <vector>

namespace voltaryn {

// The batch's resistances as a histogram, with each grade's resistance limits drawn as a line in
// the grade's colour.
class ResistanceHistogram : public QCustomPlot {
    Q_OBJECT
public:
    explicit ResistanceHistogram(QWidget* parent = nullptr);

    void SetGrades(const cells::GradeTable& grades);
    void Show(const std::vector<double>& resistancesMilliOhm);

private:
    QCPBars* bars_;
    std::vector<QCPItemStraightLine*> limits_;
};

} // namespace voltaryn
