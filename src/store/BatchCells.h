#pragma once

// The rules that join a batch in the store to the core's grading, statistics and pack building,
// written once for the window, the command line and the report.
#include "cells/BatchStatistics.h"
#include "cells/Grades.h"
#include "cells/PackOffer.h"
#include "cells/PackTypes.h"
#include "cells/SelfDischarge.h"
#include "store/StoreTypes.h"

#include <array>
#include <map>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace voltaryn::store {

// The grade table a batch is sorted and judged by, the limits of its best (first) grade, and what
// its self-discharge is judged by.
struct BatchRules {
    cells::GradeTable grades;
    cells::BatchLimits limits;
    SelfDischargeRules selfDischarge;
};

// Every batch is created with a grade table; one that cannot be read, or holds no grade, is refused
// (StoreError Failed: "batch lot 7 has no grades: ...") rather than graded by some other table.
BatchRules RulesOf(const BatchInfo& batch);

// The limits a batch is judged against by `grade`: its resistance maximum and voltage window.
cells::BatchLimits LimitsOf(const cells::Grade& grade);

// Every cell of the batch counts for its grade, the grades in the table's order (the reject grade
// last); a figure it lacks is left out of that spread.
cells::BatchStatistics StatisticsOf(const std::vector<CellRow>& cells, const cells::GradeTable& grades,
                                    const cells::BatchLimits& limits);

// The cell's reference and latest recheck as the core judges them; one without a voltage is none.
cells::CellRecheck RecheckOf(const CellRow& cell);

// The batch's cells judged for self-discharge, in their order.
cells::SelfDischargeLot SelfDischargeOf(const std::vector<CellRow>& cells, const SelfDischargeRules& rules);

// Rechecking a tray: the batch's cells in number order (as CellStore::Cells() reads them), as
// they sit in the tray they were stored in. The row of `cells` it starts at: cell `from`, or for 0
// the first cell without a recheck, stored or `waiting` in the station's queue (as
// CellStore::WaitingRechecks() names them); cells.size() when every cell has one. Empty when the
// batch holds no cell `from`.
std::optional<std::size_t> TrayStart(const std::vector<CellRow>& cells, qint64 from,
                                     const std::vector<QString>& waiting);
// The row of the tray's cell after cell `number`, the next number the batch holds; cells.size()
// when the tray is done.
std::size_t NextInTray(const std::vector<CellRow>& cells, qint64 number);

// Of a batch's grade tables (as CellStore::GradeTables() reads them: the earliest first, the
// current last), the one that graded `measurement`: the last to take effect by the time it was
// graded, when it was regraded or else measured; the first for one graded before any took effect.
std::size_t GradingTableOf(const Measurement& measurement, const std::vector<GradeTableEntry>& tables);
// A grade table in a line: "A: >= 2.5 V, <= 25 mOhm; B: >= 2.5 V, 25-40 mOhm; else Reject", the
// resistance in `ohmUnit`; one that cannot be read says why.
std::string GradeTableText(const QString& gradesJson, const std::string& ohmUnit = "mOhm");
// A regrade's changes counted by old and new grade: ("A", "B") -> 8.
std::map<std::pair<QString, QString>, qint64> RegradeCounts(const RegradeResult& result);
// "3 of 60 cells graded again changed grade: A -> B 2, B -> C 1; 1 of them in a saved pack; 1 cell
// kept its grade: its capture has no voltage or resistance"
std::string RegradeSummary(const RegradeResult& result);

using cells::PackChoice;
using cells::PackOffer;

// The cell as the pack builder takes it, named as CellName names it.
cells::PackCell PackCellOf(const CellRow& cell);

// The batch's cells a pack may take (cells::WhyLeftOut).
PackOffer PackOfferOf(const std::vector<CellRow>& cells, const BatchRules& rules, const PackChoice& choice);

// A field of a batch's cell as every export writes it: null, a text, a whole or measured number.
using CellValue = std::variant<std::nullptr_t, QString, qint64, double>;
struct CellField {
    const char* name;
    CellValue value;
};

// batch, cell, number, voltage_v, resistance_mohm, range, temperature_c, grade, time (ISO 8601
// UTC), capacity_mah, pack (empty: none), recheck_voltage_v, days, mv_per_day, self_discharge
// (ok, suspect, early or none).
std::vector<CellField> CellFieldsOf(const QString& batch, const CellRow& cell, const cells::SelfDischargeResult& judged);
// A measured number, null when unknown.
CellValue Measured(const std::optional<double>& value);
// A number as its shortest text that reads back as the same number.
std::string ShortestText(double value);
// A field's value as the machine CSV writes it: nothing for null, a number as its shortest text.
std::string FieldText(const CellValue& value);
// Fields as the machine CSV writes them: the line of their names, the line of their values (each
// line ending in "\n"); as a JSON line, an object of the fields in order, numbers as JSON numbers.
std::string CsvHeaderOf(const std::vector<CellField>& fields);
std::string CsvLineOf(const std::vector<CellField>& fields);
std::string JsonLineOf(const std::vector<CellField>& fields);
// "58 judged, 2 suspect, 0 early; median -1.1 mV/day; limits -8 and -3.2 (lot) mV/day, rest 14 days"
std::string SelfDischargeSummary(const cells::SelfDischargeLot& lot, const SelfDischargeRules& rules);
// The batch's cells as the machine CSV (the field names first, every line ending in "\n", no byte
// order mark) or as JSON lines (each an object of the fields in order, measured numbers as JSON
// numbers, null where none).
std::string CellsExport(const QString& batch, const std::vector<CellRow>& cells, const SelfDischargeRules& rules,
                        bool json);

} // namespace voltaryn::store
