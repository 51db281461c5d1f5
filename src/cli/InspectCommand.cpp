// inspect: a string walked with the probes. Each settled capture goes to the place the walk
// expects and is stored there; an inspection of the string begun today goes on where it stopped.
#include "cli/CaptureRun.h"
#include "cli/CellFields.h"
#include "cli/CellStoreAccess.h"
#include "cli/CliError.h"
#include "store/GradedCapture.h"
#include "strings/InspectionWalk.h"

#include <QUuid>

#include <iostream>
#include <map>

namespace voltaryn::cli {
namespace {

strings::StringSpec SpecOf(const store::StringInfo& string)
{
    return {string.blocks, string.nominalVolts, strings::ChemistryOf(string.chemistry.toStdString()).value_or(strings::Chemistry::Vrla),
            string.cellsPerBlock, string.straps};
}

// The walk of one inspection: its target in the store, and the places filled so far.
class Inspector {
public:
    Inspector(CommandContext& context, store::CellStore& store, const InspectOptions& options,
              const store::StringInfo& string)
        : context_(context), store_(store), options_(options), spec_(SpecOf(string)),
          target_{string.site, string.name, {}, NowUtc(context.clock), options.ambient, Q(options.notes), {}, false},
          walk_(spec_, Resume())
    {
        for (const int block : options.missing) {
            if (!strings::HasPlace(spec_, {strings::PlaceKind::Block, block}))
                throw CliError(ExitCode::Usage, "string " + options.string + " has no block " + std::to_string(block));
            Store({strings::PlaceKind::Block, block}, true, {});
        }
        if (!options.missing.empty())
            walk_ = strings::InspectionWalk(spec_, Filled());
        if (options.start != 0 && !walk_.GoTo(options.start))
            throw CliError(ExitCode::Usage, "string " + options.string + " has no block " + std::to_string(options.start));
    }

    bool Done() const { return walk_.Done(); }
    std::optional<strings::Place> Expected() const { return walk_.Expected(); }

    bool Take(const cells::CellCapture& capture)
    {
        const std::optional<strings::Place> expected = walk_.Expected();
        const auto taken = walk_.Take(capture.Voltage);
        if (const auto* refusal = std::get_if<strings::WalkRefusal>(&taken)) {
            std::cerr << "voltaryn-cli: " << strings::WalkRefusalText(*refusal, expected) << ", nothing stored\n";
            return false;
        }
        const strings::Taken& place = std::get<strings::Taken>(taken);
        if (place.skippedStrap)
            std::cerr << "voltaryn-cli: " << strings::PlaceText({strings::PlaceKind::Strap, place.place.number - 1})
                      << " passed over: its reading stays empty\n";
        Store(place.place, false, store::CapturedReading(capture));
        return true;
    }

    // "24 blocks, 23 straps, 1 missing": the inspection's places, however many runs took them.
    std::string Summary() const
    {
        int blocks = 0;
        int straps = 0;
        for (const auto& [place, missing] : filled_)
            if (!missing)
                ++(place.kind == strings::PlaceKind::Block ? blocks : straps);
        return std::to_string(blocks) + " blocks, " + std::to_string(straps) + " straps, " +
               std::to_string(filled_.size() - static_cast<std::size_t>(blocks + straps)) + " missing";
    }

private:
    // The places of today's inspection of the string, which this walk then goes on with; none
    // when there is none.
    std::vector<strings::Place> Resume()
    {
        const QDate today = NowUtc(context_.clock).toLocalTime().date();
        target_.inspectionUuid = QUuid::createUuid().toString(QUuid::WithoutBraces);
        const std::vector<store::InspectionInfo> inspections = store_.Inspections(target_.site, target_.string);
        if (inspections.empty() || inspections.back().startedUtc.toLocalTime().date() != today)
            return {};
        const store::InspectionInfo& latest = inspections.back();
        target_.inspectionUuid = latest.uuid;
        target_.startedUtc = latest.startedUtc;
        inspection_ = latest.id;
        for (const store::StringReading& reading : store_.InspectionReadings(latest.id))
            filled_[reading.place] = reading.missing;  // the latest of a place counts
        std::cerr << "voltaryn-cli: inspection " << latest.id << " of today goes on\n";
        return Filled();
    }

    std::vector<strings::Place> Filled() const
    {
        std::vector<strings::Place> places;
        for (const auto& [place, missing] : filled_)
            places.push_back(place);
        return places;
    }

    void Store(strings::Place place, bool missing, store::CaptureInput input)
    {
        input.station = Q(options_.station);
        input.operatorName = Q(options_.operatorName);
        input.measuredUtc = NowUtc(context_.clock);
        input.inspection = target_;
        input.inspection->place = place;
        input.inspection->missing = missing;
        const store::CaptureReceipt receipt = store_.RecordCapture(input);
        TellSent(receipt.sentAhead);
        if (receipt.inspectionId != 0)
            inspection_ = receipt.inspectionId;
        filled_[place] = missing;
        Write(place, missing, input, receipt);
    }

    void Write(strings::Place place, bool missing, const store::CaptureInput& input, const store::CaptureReceipt& receipt)
    {
        const bool strap = place.kind == strings::PlaceKind::Strap;
        std::string text = strings::PlaceText(place) + (receipt.queued ? " (queued)" : "") + "  ";
        if (missing)
            text += "missing";
        else
            text += input.voltageText.toStdString() + " V  " +
                    (strap ? Fixed(input.resistanceMohm.value_or(0) * 1000, 0) + " µOhm"
                           : input.resistanceText.toStdString() + " mOhm");
        context_.output.Line({{"site", options_.site},
                              {"string", options_.string},
                              {"inspection", receipt.queued && inspection_ == 0 ? Value(nullptr) : Value(inspection_)},
                              {"position", static_cast<long long>(place.number)},
                              {"kind", std::string(missing ? "missing" : strap ? "strap" : "block")},
                              {"voltage_v", Measured(input.voltageV)},
                              {"resistance_mohm", Measured(input.resistanceMohm)},
                              {"temperature_c", Measured(input.temperatureC)},
                              {"time", IsoTime(input.measuredUtc)},
                              {"queued", receipt.queued}},
                             text + StoreTrouble(store_));
    }

    CommandContext& context_;
    store::CellStore& store_;
    const InspectOptions& options_;
    strings::StringSpec spec_;
    store::InspectionTarget target_;
    std::map<strings::Place, bool> filled_;  // the places taken, each whether it is missing
    strings::InspectionWalk walk_;
    long long inspection_ = 0;  // 0 until the server has it
};

void Inspect(CommandContext& context, InspectOptions options)
{
    FillStationAndOperator(options.station, options.operatorName);
    CellStoreAccess db(options.db, context.clock);
    TellSent(db.Store().SendQueueIfDue());  // so that an inspection cut short is found whole
    const std::optional<store::StringInfo> string = db.Store().FindString(Q(options.site), Q(options.string));
    if (!string)
        throw CliError(ExitCode::Usage, "there is no string " + options.string + " at site " + options.site +
                                            " (see string list)");
    Inspector inspector(context, db.Store(), options, *string);
    if (const std::optional<strings::Place> next = inspector.Expected())
        std::cerr << "voltaryn-cli: place the probes on " << strings::PlaceText(*next) << '\n';
    RunCaptures(context, db.Store(), false, 0, options.drainTimeout, {"inspected", "place", "places"},
                [&inspector](const cells::CellCapture& capture, const std::string&) { return inspector.Take(capture); },
                [&inspector] { return inspector.Done(); });
    std::cerr << inspector.Summary() << '\n';
}

} // namespace

void RunInspect(CommandContext& context, const InspectOptions& options)
{
    RunWithStore([&] { Inspect(context, options); });
}

} // namespace voltaryn::cli
