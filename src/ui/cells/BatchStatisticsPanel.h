#pragma once

#include "cells/BatchStatistics.h"

#include <QTableWidget>

namespace voltaryn {

// The spread of the batch at a glance: one row each for voltage, resistance, capacity (where
// chargers have measured it) and the self-discharge of the cells judged after a recheck, with
// count, mean, median, standard deviation, extremes, 5th and 95th percentile, and the process
// capability against the best grade's limits.
class BatchStatisticsPanel : public QTableWidget {
    Q_OBJECT
public:
    enum Row { VoltageRow, ResistanceRow, CapacityRow, SelfDischargeRow, RowCount };
    enum Column { CountColumn, MeanColumn, MedianColumn, StdDevColumn, MinColumn, MaxColumn, P5Column, P95Column,
                  CpkColumn, ColumnCount };

    explicit BatchStatisticsPanel(QWidget* parent = nullptr);

    void Show(const cells::BatchStatistics& statistics, const std::optional<cells::Spread>& mvPerDay);
    QString Text(Row row, Column column) const;
};

} // namespace voltaryn
