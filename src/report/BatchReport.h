#pragma once

#include "cells/BatchStatistics.h"
#include "cells/Grades.h"
#include "store/BatchCells.h"
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
    store::BatchRules rules;
    std::vector<store::GradeTableEntry> gradeTables;  // every table the batch had, the current (rules') last
};

// Reads the batch `name`; throws a StoreError (NotFound when there is no such batch, Failed when it
// has no grades).
BatchReport LoadBatchReport(store::CellStore& store, const QString& name);

// Writes the report as PDF: the batch's data and grades (beside each grade's limits only the cells
// that table graded; with several tables, each with its time and the cells it graded), its
// statistics, histograms of resistance, voltage and capacity with the grade limits, its
// self-discharge, its saved packs, as an appendix a table of every cell, and last each saved
// pack's build sheet on a page of its own; each page numbered, the first dated `producedUtc`.
// Throws a ReportError when the file cannot be written.
void WriteBatchReport(const BatchReport& report, const QString& file, const QDateTime& producedUtc);

} // namespace voltaryn::report
