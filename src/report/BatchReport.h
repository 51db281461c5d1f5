#pragma once

#include "cells/BatchStatistics.h"
#include "cells/Grades.h"
#include "store/StoreTypes.h"

#include <vector>

namespace voltaryn::store {
class CellStore;
}

namespace voltaryn::report {

// What a batch report shows, as read from the cell database.
struct BatchReport {
    store::BatchInfo batch;
    std::vector<store::CellRow> cells;
    std::vector<store::PackLayout> packs;
};

// Reads the batch `name`; throws a StoreError (NotFound when there is no such batch).
BatchReport LoadBatchReport(store::CellStore& store, const QString& name);

// The limits a batch is judged against: the resistance and voltage limits of its best (first)
// grade.
cells::BatchLimits LimitsOf(const cells::GradeTable& grades);

// The batch's grade table, or the Li-ion defaults when its JSON cannot be read.
cells::GradeTable GradesOf(const store::BatchInfo& batch);

// Writes the report as PDF: the batch's data and grades, its statistics, histograms of
// resistance, voltage and capacity with the grade limits, and the map of every saved pack.
// Throws a ReportError when the file cannot be written.
void WriteBatchReport(const BatchReport& report, const QString& file);

} // namespace voltaryn::report
