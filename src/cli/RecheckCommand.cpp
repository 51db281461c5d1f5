// recheck: a rested batch measured again, each settled capture the recheck of a cell it holds.
#include "cli/CaptureRun.h"
#include "cli/CellFields.h"
#include "cli/CellStoreAccess.h"
#include "store/BatchCells.h"
#include "store/GradedCapture.h"
#include "store/StoreError.h"

#include <algorithm>
#include <iostream>

namespace voltaryn::cli {
namespace {

// The batch's cells with their readings, judged again after each recheck, and the tray's place.
class Rechecker {
public:
    Rechecker(CommandContext& context, store::CellStore& store, const RecheckOptions& options,
              const store::BatchInfo& batch, const cells::SelfDischargeRules& rules)
        : context_(context), store_(store), options_(options), rules_(rules), grades_(store::RulesOf(batch).grades),
          cells_(store.Cells(batch.name))
    {
        lot_.reserve(cells_.size());
        for (const store::CellRow& cell : cells_)
            lot_.push_back(store::RecheckOf(cell));
        tray_ = TrayStart();
    }

    // The cells left in the tray from its place on.
    long long TrayLeft() const { return static_cast<long long>(cells_.size() - tray_); }

    bool Take(const cells::CellCapture& capture, const std::string& id)
    {
        if (id.empty() && tray_ == cells_.size()) {
            std::cerr << "voltaryn-cli: the tray is done, nothing stored: scan the cell's ID\n";
            return false;
        }
        store::CaptureInput input = store::GradedCapture(capture, grades_);
        input.batch = Q(options_.batch);
        input.station = Q(options_.station);
        input.operatorName = Q(options_.operatorName);
        input.measuredUtc = NowUtc(context_.clock);
        const store::CellKey key = id.empty() ? store::CellKey(cells_[tray_].number) : store::CellKey(Q(id));
        store::CaptureReceipt receipt;
        try {
            receipt = store_.RecordRecheck(key, input);
        } catch (const store::StoreError& error) {
            if (error.Kind() != store::StoreErrorKind::NotFound)
                throw;
            std::cerr << "voltaryn-cli: " << error.what() << ", nothing stored\n";
            return false;
        }
        TellSent(receipt.sentAhead);
        const std::optional<std::size_t> place = PlaceOf(key);
        if (id.empty())
            tray_ = store::NextInTray(cells_, cells_[tray_].number);
        Write(capture, input, receipt, place);
        return true;
    }

private:
    // Where the tray starts: the cell --from names, else the first without a recheck, counting the
    // ones a run cut short left in the queue.
    std::size_t TrayStart() const
    {
        const std::optional<std::size_t> place =
            store::TrayStart(cells_, options_.from, store_.WaitingRechecks(Q(options_.batch)));
        if (!place)
            throw CliError(ExitCode::Usage, "batch " + options_.batch + " has no cell " +
                                                store::CellName({}, options_.from).toStdString());
        if (*place == cells_.size() && !options_.ids)
            throw CliError(ExitCode::Usage, "every cell of batch " + options_.batch +
                                                " has a recheck: give --from N to recheck the tray again, or --ids");
        return *place;
    }

    std::optional<std::size_t> PlaceOf(const store::CellKey& key) const
    {
        const auto found = std::ranges::find_if(cells_, [&key](const store::CellRow& cell) {
            if (const auto* number = std::get_if<qint64>(&key))
                return cell.number == *number;
            return cell.label == std::get<QString>(key);
        });
        return found == cells_.end() ? std::nullopt : std::optional(static_cast<std::size_t>(found - cells_.begin()));
    }

    void Write(const cells::CellCapture& capture, const store::CaptureInput& input, const store::CaptureReceipt& receipt,
               std::optional<std::size_t> place)
    {
        cells::SelfDischargeResult result;
        std::optional<double> reference;
        std::string cell = receipt.label.toStdString();
        Value number = nullptr;
        if (place) {
            store::CellRow& row = cells_[*place];
            row.recheck = store::VoltageReading{receipt.clientUuid, input.measuredUtc, input.voltageV, input.temperatureC};
            lot_[*place] = store::RecheckOf(row);
            result = cells::JudgeSelfDischarge(lot_, rules_).cells[*place];
            reference = row.reference ? row.reference->voltageV : std::nullopt;
            cell = store::CellName(row).toStdString();
            number = static_cast<long long>(row.number);
        }
        const std::string verdict(cells::SelfDischargeVerdictName(result.verdict));
        context_.output.Line({{"batch", options_.batch},
                              {"cell", cell},
                              {"number", number},
                              {"voltage_v", Number{capture.Voltage, capture.Reading.VoltageText}},
                              {"reference_voltage_v", Measured(reference)},
                              {"days", Measured(result.days)},
                              {"mv_per_day", Measured(result.mvPerDay)},
                              {"verdict", verdict},
                              {"time", IsoTime(input.measuredUtc)},
                              {"queued", receipt.queued}},
                             cell + (receipt.queued ? " (queued)" : "") + "  " + verdict + "  " +
                                 capture.Reading.VoltageText + " V" + ChangeText(reference, result) +
                                 StoreTrouble(store_));
    }

    // ", was 3.640 V: -28 mV in 14.0 days, -2.0 mV/day"
    static std::string ChangeText(const std::optional<double>& reference, const cells::SelfDischargeResult& result)
    {
        if (!reference)
            return "  (no reference reading)";
        std::string text = ", was " + Fixed(*reference, 3) + " V";
        if (result.voltageChange && result.days)
            text += ": " + Fixed(*result.voltageChange * 1000, 0) + " mV in " + Fixed(*result.days, 1) + " days";
        if (result.mvPerDay)
            text += ", " + Fixed(*result.mvPerDay, 1) + " mV/day";
        return text;
    }

    CommandContext& context_;
    store::CellStore& store_;
    const RecheckOptions& options_;
    cells::SelfDischargeRules rules_;
    cells::GradeTable grades_;
    std::vector<store::CellRow> cells_;  // in number order
    std::vector<cells::CellRecheck> lot_;
    std::size_t tray_ = 0;
};

// The batch's rules, with the ones given kept for it first.
cells::SelfDischargeRules BatchRules(store::CellStore& store, const store::BatchInfo& batch,
                                     const RecheckOptions& options)
{
    cells::SelfDischargeRules rules = batch.selfDischarge;
    if (!options.limit && !options.restDays)
        return rules;
    rules.absoluteLimitMvPerDay = options.limit.value_or(rules.absoluteLimitMvPerDay);
    rules.minimumRestDays = options.restDays.value_or(rules.minimumRestDays);
    if (const std::string problem = cells::SelfDischargeRulesProblem(rules); !problem.empty())
        throw CliError(ExitCode::Usage, problem);
    store.SetSelfDischarge(Q(options.batch), rules);
    return rules;
}

void Recheck(CommandContext& context, RecheckOptions options)
{
    FillStationAndOperator(options.station, options.operatorName);
    CellStoreAccess db(options.db, context.clock);
    const store::BatchInfo batch = db.Batch(options.batch);
    TellSent(db.Store().SendQueueIfDue());  // so that the tray's cells are read with them
    Rechecker rechecker(context, db.Store(), options, batch, BatchRules(db.Store(), batch, options));
    // In the tray's order alone the run ends with the tray.
    long long count = options.count;
    if (!options.ids)
        count = count == 0 ? rechecker.TrayLeft() : std::min(count, rechecker.TrayLeft());
    RunCaptures(context, db.Store(), options.ids, count, options.drainTimeout, {"rechecked"},
                [&rechecker](const cells::CellCapture& capture, const std::string& id) {
                    return rechecker.Take(capture, id);
                });
}

void AfterCharge(CommandContext& context, const AfterChargeOptions& options)
{
    CellStoreAccess db(options.db, context.clock);
    db.Batch(options.batch);
    const QString batch = Q(options.batch);
    const store::CellKey key = Q(options.cell);
    const std::optional<store::CellRow> cell = db.Store().Cell(batch, key);
    if (!cell)
        throw CliError(ExitCode::Usage, "batch " + options.batch + " has no cell " + options.cell);
    db.Store().SetReference(batch, key, options.first ? QString() : cell->latest.clientUuid);
    const store::VoltageReading reference = db.Store().Cell(batch, key).value().reference.value();
    const std::string name = store::CellName(*cell).toStdString();
    const std::string time = IsoTime(reference.measuredUtc);
    context.output.Line({{"batch", options.batch},
                         {"cell", name},
                         {"number", static_cast<long long>(cell->number)},
                         {"reference_voltage_v", Measured(reference.voltageV)},
                         {"reference_time", time}},
                        name + " is judged from its capture of " + time);
}

} // namespace

void RunRecheck(CommandContext& context, const RecheckOptions& options)
{
    RunWithStore([&] { Recheck(context, options); });
}

void RunAfterCharge(CommandContext& context, const AfterChargeOptions& options)
{
    RunWithStore([&] { AfterCharge(context, options); });
}

} // namespace voltaryn::cli
