// regrade and history: a batch's cells graded again under its current grade table, and a cell's
// every measurement beside the grade tables the batch had.
#include "cli/CellFields.h"
#include "cli/CellStoreAccess.h"
#include "cli/CliError.h"
#include "cli/Commands.h"
#include "cells/GradeJson.h"
#include "store/BatchCells.h"

#include <iostream>

namespace voltaryn::cli {
namespace {

Value TextOrNull(const QString& text) { return text.isEmpty() ? Value(nullptr) : Value(text.toStdString()); }

// A grade table taking effect, as a line of a cell's history.
Record TableRecord(const store::GradeTableEntry& table)
{
    return {{"time", IsoTime(table.effectiveUtc)},
            {"event", std::string("grades")},
            {"station", TextOrNull(table.station)},
            {"operator", nullptr},
            {"voltage_v", nullptr},
            {"resistance_mohm", nullptr},
            {"range", nullptr},
            {"temperature_c", nullptr},
            {"grade", nullptr},
            {"captured_grade", nullptr},
            {"regraded", nullptr},
            {"withdrawn", nullptr},
            {"graded_by", nullptr},
            {"grades", store::GradeTableText(table.gradesJson)}};
}

// A measurement, with the time the grade table that graded it took effect.
Record MeasurementRecord(const store::HistoryEntry& entry, const std::vector<store::GradeTableEntry>& tables)
{
    const store::Measurement& m = entry.measurement;
    const store::GradeTableEntry& gradedBy = tables[store::GradingTableOf(m, tables)];
    return {{"time", IsoTime(m.measuredUtc)},
            {"event", entry.kind == store::MeasurementKind::Recheck ? std::string("recheck") : std::string("sort")},
            {"station", m.station.toStdString()},
            {"operator", m.operatorName.toStdString()},
            {"voltage_v", Measured(m.voltageV)},
            {"resistance_mohm", Measured(m.resistanceMohm)},
            {"range", m.rangeText.toStdString()},
            {"temperature_c", Measured(m.temperatureC)},
            {"grade", m.grade.toStdString()},
            {"captured_grade", TextOrNull(m.capturedGrade)},
            {"regraded", m.regradedUtc ? Value(IsoTime(*m.regradedUtc)) : Value(nullptr)},
            {"withdrawn", entry.withdrawn},
            {"graded_by", IsoTime(gradedBy.effectiveUtc)},
            {"grades", nullptr}};
}

} // namespace

void RunRegrade(CommandContext& context, const RegradeOptions& options)
{
    std::optional<QString> grades;
    try {
        if (!options.grades.empty())
            grades = QString::fromStdString(cells::GradesToJson(cells::LoadGradesFile(options.grades)));
    } catch (const cells::GradeFileError& error) {
        throw CliError(ExitCode::Usage, error.what());
    }
    RunWithStore([&] {
        CellStoreAccess db(options.db, context.clock);
        const QString batch = db.Batch(options.batch).name;
        if (grades)
            db.Store().SetGrades(batch, *grades);
        const store::RegradeResult result = db.Store().Regrade(batch);
        for (const store::CellRegrade& cell : result.changed)
            context.output.Row({{"batch", options.batch},
                                {"cell", store::CellName(cell.label, cell.number).toStdString()},
                                {"number", static_cast<long long>(cell.number)},
                                {"from", cell.from.toStdString()},
                                {"to", cell.to.toStdString()},
                                {"pack", cell.pack.toStdString()}});
        std::cerr << store::RegradeSummary(result) << '\n';
    });
}

void RunHistory(CommandContext& context, const HistoryOptions& options)
{
    RunWithStore([&] {
        CellStoreAccess db(options.db, context.clock, store::StoreAccess::ReadOnly);
        const QString batch = db.Batch(options.batch).name;
        const std::vector<store::HistoryEntry> history = db.Store().History(batch, Q(options.cell));
        const std::vector<store::GradeTableEntry> tables = db.Store().GradeTables(batch);
        // One time line: each table where it took effect, ahead of a measurement taken at that moment.
        auto table = tables.begin();
        for (const store::HistoryEntry& entry : history) {
            for (; table != tables.end() && table->effectiveUtc <= entry.measurement.measuredUtc; ++table)
                context.output.Row(TableRecord(*table));
            context.output.Row(MeasurementRecord(entry, tables));
        }
        for (; table != tables.end(); ++table)
            context.output.Row(TableRecord(*table));
    });
}

} // namespace voltaryn::cli
