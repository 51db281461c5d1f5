// sort, cells and batches: cell sorting from the command line, into the cell database.
#include "cli/CellFields.h"
#include "cli/CellStoreAccess.h"
#include "cli/Commands.h"
#include "cli/ScannedIds.h"
#include "cli/StopSignal.h"
#include "cells/CaptureEngine.h"
#include "cells/GradeJson.h"
#include "cells/NameRule.h"
#include "meter/DisplayUnits.h"
#include "recording/RunSchedule.h"
#include "store/BatchCells.h"
#include "store/GradedCapture.h"

#include <QDateTime>
#include <QSysInfo>

#include <algorithm>
#include <cmath>
#include <iostream>

namespace voltaryn::cli {
namespace {

// How often the end of a run looks whether the store's next try of the server is due.
constexpr std::chrono::milliseconds DrainStep{250};

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

// The options with the station and operator that were left out taken from the host and login
// names, checked as given ones are before anything is stored.
SortOptions WithStationAndOperator(SortOptions options)
{
    try {
        if (options.station.empty())
            options.station = cells::CheckedName(cells::NameKind::Station, QSysInfo::machineHostName().toStdString());
        if (options.operatorName.empty())
            options.operatorName = cells::CheckedName(cells::NameKind::Operator, qEnvironmentVariable("USER").toStdString());
    } catch (const cells::NameRefused& refused) {
        throw CliError(ExitCode::Usage, std::string(refused.what()) + " (give --station and --operator)");
    }
    return options;
}

// "sorted 20 cells in 68 s: 1059 cells an hour"
std::string RateText(long long cells, RunSchedule::Duration spent)
{
    const double seconds = std::chrono::duration<double>(spent).count();
    std::string text = "sorted " + std::to_string(cells) + (cells == 1 ? " cell" : " cells") + " in "
                       + std::to_string(std::llround(seconds)) + " s";
    if (cells > 0 && seconds > 0)
        text += ": " + std::to_string(std::llround(static_cast<double>(cells) * 3600 / seconds)) + " cells an hour";
    return text;
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
        input.measuredUtc = QDateTime::fromMSecsSinceEpoch(
            std::chrono::duration_cast<std::chrono::milliseconds>(context_.clock.Now().time_since_epoch()).count())
                                .toUTC();
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
                                 + StoreTrouble());
    }

private:
    // The store's trouble, while there is any, as the window's tile says it: "  offline — 3 queued".
    std::string StoreTrouble() const
    {
        const store::StoreStatus status = store_.Status();
        return status.AllSent() ? std::string() : "  " + status.Text().toStdString();
    }

    CommandContext& context_;
    store::CellStore& store_;
    const SortOptions& options_;
    cells::GradeTable grades_;
};

// Waits up to `timeout` on the run's clock for the queue to empty, trying the server as its tries
// fall due; captures still left end the run with their exit code.
void Drain(RunClock& clock, store::CellStore& store, RunClock::Duration timeout)
{
    const RunClock::Duration until = clock.Elapsed() + timeout;
    while (store.Status().queued > 0 && clock.Elapsed() < until && !StopRequested()) {
        clock.WaitUntil(std::min(until, clock.Elapsed() + DrainStep));
        TellSent(store.SendQueueIfDue());
    }
    FailIfQueued(store.Status());
}

void Sort(CommandContext& context, const SortOptions& options)
{
    CatchStopSignals();
    CellStoreAccess db(options.db, context.clock);
    Sorter sorter(context, db.Store(), options, BatchGrades(db.Store(), options));
    MeterAccess& meter = context.meter;
    meter.Connect();

    // The display is read on the panel's poll; every decoded display goes to the capture engine.
    const auto elapsed = [&context] {
        return std::chrono::duration_cast<RunSchedule::Duration>(context.clock.Elapsed());
    };
    RunSchedule schedule(elapsed());
    schedule.Pause(RunTask::RecorderSecond);
    cells::CaptureEngine engine;
    ScannedIds ids(std::cerr);
    long long captured = 0;
    const RunSchedule::Duration start = elapsed();
    while ((options.count == 0 || captured < options.count) && !StopRequested()) {
        context.clock.WaitUntil(schedule.NextDue());
        if (StopRequested())
            break;
        const RunSchedule::Duration now = elapsed();
        for (const RunTask task : schedule.Due(now)) {
            if (task != RunTask::Poll || !meter.PollTick().displayDecoded)
                continue;
            if (options.ids)
                ids.Read();  // a refused scan is told at once, before its cell is placed
            const std::vector<std::string_view> lit = WordsShown(meter.Session().pollLoop.Display().lit);
            const cells::CaptureStep step = engine.Feed(now, cells::ReadProbes(meter.Reading(), lit));
            if (step.Problem == cells::CaptureProblem::UnstableContact)
                std::cerr << "voltaryn-cli: unstable contact, nothing captured: place the cell again\n";
            if (step.Problem == cells::CaptureProblem::LiftedEarly)
                std::cerr << "voltaryn-cli: lifted too early, nothing captured: place the cell again\n";
            if (step.Capture) {
                sorter.Take(*step.Capture, ids.Take());
                ++captured;
            }
        }
        TellSent(db.Store().SendQueueIfDue());
    }
    std::cerr << RateText(captured, elapsed() - start) << '\n';
    Drain(context.clock, db.Store(), std::chrono::seconds(options.drainTimeout));
}

} // namespace

void RunSort(CommandContext& context, const SortOptions& options)
{
    RunWithStore([&] {
        try {
            Sort(context, WithStationAndOperator(options));
        } catch (const cells::GradeFileError& error) {
            throw CliError(ExitCode::Usage, error.what());
        }
    });
}

void RunCells(CommandContext& context, const CellListOptions& options)
{
    const Format format = context.format.value_or(Format::Text);
    RunWithStore([&] {
        CellStoreAccess db(options.db, context.clock);
        db.Batch(options.batch);
        const QString batch = Q(options.batch);
        const std::vector<store::CellRow> cells = db.Store().Cells(batch);
        // CSV and JSON as the window's export writes them; text and TSV by the command line's own rules.
        if (format == Format::Csv || format == Format::Json) {
            context.output.Raw(store::CellsExport(batch, cells, format == Format::Json));
            return;
        }
        for (const store::CellRow& cell : cells)
            context.output.Row(RecordOf(store::CellFieldsOf(batch, cell)));
    });
}

void RunBatches(CommandContext& context, const DatabaseOptions& options)
{
    RunWithStore([&] {
        CellStoreAccess db(options.db, context.clock);
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
