// inspect: a string walked with the probes. Each settled capture goes to the place the walk
// expects and is stored there; an inspection of the string begun today goes on where it stopped.
#include "cli/CaptureRun.h"
#include "cli/CellFields.h"
#include "cli/CellStoreAccess.h"
#include "cli/CliError.h"
#include "cli/StringFields.h"
#include "store/GradedCapture.h"
#include "store/StringJudging.h"
#include "strings/StringWalk.h"

#include <QUuid>

#include <iostream>
#include <map>

namespace voltaryn::cli {
namespace {

// The walk of one inspection: its target in the store, the places filled so far, and the string's
// history its readings are judged against.
class Inspector {
public:
    Inspector(CommandContext& context, store::CellStore& store, const InspectOptions& options,
              store::JudgedString judged)
        : context_(context), store_(store), options_(options), judged_(std::move(judged)),
          target_{judged_.string.site, judged_.string.name, {}, NowUtc(context.clock), options.ambient,
                  Q(options.notes), {}, false},
          walk_(judged_.layout)
    {
        Resume();
        walk_ = strings::InspectionWalk(judged_.layout, Filled(), Missing());
        for (const int block : options.missing) {
            if (!strings::HasPlace(judged_.layout, {strings::PlaceKind::Block, block}))
                throw CliError(ExitCode::Usage, "string " + options.string + " has no block " + std::to_string(block));
            Store({strings::PlaceKind::Block, block}, true, {});
        }
        if (!options.missing.empty())
            walk_ = strings::InspectionWalk(judged_.layout, Filled(), Missing());
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
        const auto& place = std::get<strings::Taken>(taken);
        if (place.skippedStrap)
            std::cerr << "voltaryn-cli: " << strings::PlaceText({strings::PlaceKind::Strap, place.place.number - 1})
                      << " passed over: its reading stays empty\n";
        Store(place.place, false, store::CapturedReading(capture));
        return true;
    }

    // "24 blocks, 23 straps: 1 warn, 2 fail": the inspection's places, however many runs took them.
    std::string Summary() const { return strings::SummaryText(judged_.Judge(Record()).summary); }

private:
    // Finds the places of today's inspection of the string, which this walk then goes on with;
    // when there is none, a new inspection is begun.
    void Resume()
    {
        const QDate today = NowUtc(context_.clock).toLocalTime().date();
        const std::vector<store::InspectionInfo>& inspections = judged_.inspections;
        if (inspections.empty() || inspections.back().startedUtc.toLocalTime().date() != today) {
            target_.inspectionUuid = QUuid::createUuid().toString(QUuid::WithoutBraces);
            strings::InspectionRecord& record = judged_.records.emplace_back();
            record.date = store::InspectionDay(target_.startedUtc);
            record.ambientCelsius = options_.ambient;
            record.blocks.resize(static_cast<std::size_t>(judged_.layout.blocks));
            if (judged_.layout.straps)
                record.straps.resize(static_cast<std::size_t>(judged_.layout.blocks - 1));
            return;
        }
        const store::InspectionInfo& latest = inspections.back();
        target_.inspectionUuid = latest.uuid;
        target_.startedUtc = latest.startedUtc;
        inspection_ = latest.id;
        for (const store::StringReading& reading : judged_.readings)
            if (reading.inspectionUuid == latest.uuid)
                filled_[reading.place] = reading.missing;
        if (latest.id == 0)
            std::cerr << "voltaryn-cli: today's inspection, still in the local queue, goes on\n";
        else
            std::cerr << "voltaryn-cli: inspection " << latest.id << " of today goes on\n";
    }

    strings::InspectionRecord& Record() { return judged_.records.back(); }
    const strings::InspectionRecord& Record() const { return judged_.records.back(); }
    std::vector<strings::Place> Filled() const
    {
        std::vector<strings::Place> places;
        places.reserve(filled_.size());
        for (const auto& [place, missing] : filled_)
            places.push_back(place);
        return places;
    }
    std::vector<strings::Place> Missing() const
    {
        std::vector<strings::Place> places;
        for (const auto& [place, missing] : filled_)
            if (missing)
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
        auto& places = place.kind == strings::PlaceKind::Strap ? Record().straps : Record().blocks;
        places[static_cast<std::size_t>(place.number - 1)] =
            missing ? std::nullopt : std::optional(strings::Reading{input.voltageV, input.resistanceMohm, input.temperatureC});
        judged_.Rebase();
        Write({0, {}, {}, place, missing, {}, {}, input.measuredUtc, input.voltageV, input.resistanceMohm, input.voltageText,
               input.resistanceText, input.rangeText, input.temperatureC},
              receipt.queued);
    }

    void Write(const store::StringReading& reading, bool queued)
    {
        const strings::InspectionVerdicts verdicts = judged_.Judge(Record());
        const auto found = std::ranges::find(verdicts.readings, reading.place, &strings::ReadingVerdict::place);
        const strings::ReadingVerdict* verdict =
            reading.missing || found == verdicts.readings.end() ? nullptr : &*found;
        cli::Record record = StringReadingRecord(options_.site, options_.string,
                                                 inspection_ == 0 ? Value(nullptr) : Value(inspection_), reading, verdict);
        record.push_back({"queued", queued});
        std::string text = StringReadingText(reading, verdict);
        if (queued)
            text += "  (queued)";
        context_.output.Line(record, text + StoreTrouble(store_));
    }

    CommandContext& context_;
    store::CellStore& store_;
    const InspectOptions& options_;
    store::JudgedString judged_;  // its last record is this inspection's
    store::InspectionTarget target_;
    std::map<strings::Place, bool> filled_;  // whether marked missing
    strings::InspectionWalk walk_;
    long long inspection_ = 0;  // 0 until the server has it
};

void Inspect(CommandContext& context, InspectOptions options)
{
    FillStationAndOperator(options.station, options.operatorName);
    CellStoreAccess db(options.db, context.clock);
    TellSent(db.Store().SendQueueIfDue());  // so that an inspection cut short is found whole
    store::JudgedString judged = store::ReadJudgedString(db.Store(), Q(options.site), Q(options.string));
    if (judged.rememberedUtc.isValid())
        std::cerr << "voltaryn-cli: the server is away: the string is judged as this station saw it on "
                  << judged.rememberedUtc.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm")).toStdString()
                  << "; its readings wait in the local queue\n";
    Inspector inspector(context, db.Store(), options, std::move(judged));
    if (const std::optional<strings::Place> next = inspector.Expected())
        std::cerr << "voltaryn-cli: place the probes on " << strings::PlaceText(*next) << '\n';
    RunCaptures(context, db.Store(), false, 0, options.drainTimeout, {"inspected", "place", "places", "place the probes again"},
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
