// sort, cells and batches: cell sorting from the command line, into the cell database.
#include "cli/CaptureRun.h"
#include "cli/CellFields.h"
#include "cli/CellStoreAccess.h"
#include "cells/GradeJson.h"
#include "store/BatchCells.h"
#include "store/GradedCapture.h"

#include <QDateTime>

#include <iostream>

namespace voltaryn::cli {
namespace {

// The batch's grade table: a new batch is created with the grades given (the Li-ion defaults
// without --grades); a batch that exists keeps the grades it was sorted with.
cells::GradeTable BatchGrades(store::CellStore& store, const SortOptions& options)
{
    const cells::GradeTable given =
        options.grades.empty() ? cells::DefaultLiIonGrades() : cells::LoadGradesFile(options.grades);
    bool created = false;
    const store::BatchInfo batch = store.FindOrCreateBatch(Q(options.batch), {}, Q(cells::GradesToJson(given)), &created);
    if (created)
        std::cerr << "creating batch \"" << options.batch << "\"\n";
    cells::GradeTable kept = store::RulesOf(batch).grades;
    if (!options.grades.empty() && kept != given)
        throw CliError(ExitCode::Usage, "batch " + options.batch + " is sorted with other grades than " + options.grades
                                            + "; leave out --grades or start a new batch");
    return kept;
}

// One capture, graded, committed to the database and written out.
class Sorter {
public:
    Sorter(CommandContext& context, store::CellStore& store, const SortOptions& options, cells::GradeTable grades)
        : context_(context), store_(store), options_(options), grades_(std::move(grades))
    {
    }

    void Take(const cells::CellCapture& capture, const std::string& id)
    {
        store::CaptureInput input = store::GradedCapture(capture, grades_);
        input.batch = Q(options_.batch);
        input.label = Q(id);
        input.station = Q(options_.station);
        input.operatorName = Q(options_.operatorName);
        input.measuredUtc = NowUtc(context_.clock);
        const store::CaptureReceipt receipt = store_.RecordCapture(input);
        TellSent(receipt.sentAhead);

        // A queued capture has no number yet: its label names it, if it has one.
        const std::string label = receipt.label.toStdString();
        const std::string cell = receipt.queued ? label : store::CellName(receipt.label, receipt.cellNumber).toStdString();
        std::string shown = cell;
        if (receipt.queued)
            shown = label.empty() ? "(queued)" : label + " (queued)";
        const Value number = receipt.queued ? Value(nullptr) : Value(static_cast<long long>(receipt.cellNumber));
        context_.output.Line({{"batch", options_.batch},
                              {"cell", cell.empty() ? Value(nullptr) : Value(cell)},
                              {"number", number},
                              {"voltage_v", Number{capture.Voltage, capture.Reading.VoltageText}},
                              {"resistance_mohm", Measured(capture.ResistanceMilliOhm)},
                              {"range", capture.Reading.RangeText},
                              {"temperature_c", Measured(input.temperatureC)},
                              {"grade", input.grade.toStdString()},
                              {"time", IsoTime(input.measuredUtc)},
                              {"queued", receipt.queued}},
                             shown + "  " + input.grade.toStdString() + "  " + capture.Reading.VoltageText + " V  "
                                 + capture.Reading.ResistanceText + " (" + capture.Reading.RangeText + ")"
                                 + StoreTrouble(store_));
    }

private:
    CommandContext& context_;
    store::CellStore& store_;
    const SortOptions& options_;
    cells::GradeTable grades_;
};

void Sort(CommandContext& context, SortOptions options)
{
    FillStationAndOperator(options.station, options.operatorName);
    CellStoreAccess db(options.db, context.clock, store::StoreAccess::ReadWrite, options.station);
    Sorter sorter(context, db.Store(), options, BatchGrades(db.Store(), options));
    RunCaptures(context, db.Store(), options.ids, options.count, options.drainTimeout, {"sorted"},
                [&sorter](const cells::CellCapture& capture, const std::string& id) {
                    sorter.Take(capture, id);
                    return true;
                });
}

} // namespace

void RunSort(CommandContext& context, const SortOptions& options)
{
    RunWithStore([&] {
        try {
            Sort(context, options);
        } catch (const cells::GradeFileError& error) {
            throw CliError(ExitCode::Usage, error.what());
        }
    });
}

void RunCells(CommandContext& context, const CellListOptions& options)
{
    const Format format = context.format.value_or(Format::Text);
    RunWithStore([&] {
        CellStoreAccess db(options.db, context.clock, store::StoreAccess::ReadOnly);
        const store::SelfDischargeRules rules = db.Batch(options.batch).selfDischarge;
        const QString batch = Q(options.batch);
        const std::vector<store::CellRow> cells = db.Store().Cells(batch);
        // CSV and JSON as the window's export writes them; text and TSV by the command line's own rules.
        if (format == Format::Csv || format == Format::Json) {
            context.output.Raw(store::CellsExport(batch, cells, rules, format == Format::Json));
            return;
        }
        const cells::SelfDischargeLot judged = store::SelfDischargeOf(cells, rules);
        for (std::size_t i = 0; i < cells.size(); ++i)
            context.output.Row(RecordOf(store::CellFieldsOf(batch, cells[i], judged.cells[i])));
    });
}

void RunBatches(CommandContext& context, const DatabaseOptions& options)
{
    RunWithStore([&] {
        CellStoreAccess db(options.db, context.clock, store::StoreAccess::ReadOnly);
        for (const store::BatchSummary& summary : db.Store().ListBatches()) {
            std::vector<std::string> perGrade;
            perGrade.reserve(summary.cellsPerGrade.size());
            for (const auto& [grade, count] : summary.cellsPerGrade)
                perGrade.push_back(grade.toStdString() + "=" + std::to_string(count));
            context.output.Row({{"batch", summary.batch.name.toStdString()},
                                {"created", IsoTime(summary.batch.createdUtc)},
                                {"cells", static_cast<long long>(summary.cells)},
                                {"grades", perGrade}});
        }
    });
}

} // namespace voltaryn::cli
