// inspect: a string walked with the probes. Each settled capture goes to the place the walk
// expects and is stored there; an inspection of the string begun today goes on where it stopped.
#include "cli/CaptureRun.h"
#include "cli/CellFields.h"
#include "cli/CellStoreAccess.h"
#include "cli/CliError.h"
#include "cli/StringFields.h"
#include "store/GradedCapture.h"
#include "store/WalkSession.h"

#include <iostream>

namespace voltaryn::cli {
namespace {

// The walk of one inspection, each reading stored as it is taken and written out with its verdicts.
class Inspector {
public:
    Inspector(CommandContext& context, store::CellStore& store, const InspectOptions& options,
              store::JudgedString judged)
        : context_(context), store_(store), options_(options),
          session_(std::move(judged), NowUtc(context.clock), options.ambient, Q(options.notes))
    {
        if (session_.Resumed() && session_.InspectionId() == 0)
            std::cerr << "voltaryn-cli: today's inspection, still in the local queue, goes on\n";
        else if (session_.Resumed())
            std::cerr << "voltaryn-cli: inspection " << session_.InspectionId() << " of today goes on\n";
        const strings::StringLayout& layout = session_.Judged().layout;
        for (const int block : options.missing) {
            if (!strings::HasPlace(layout, {strings::PlaceKind::Block, block}))
                throw CliError(ExitCode::Usage, "string " + options.string + " has no block " + std::to_string(block));
            Store({strings::PlaceKind::Block, block}, true, {});
        }
        if (!options.missing.empty())
            session_.StartAtFirstEmpty();
        if (options.start != 0 && !session_.Walk().GoTo(options.start))
            throw CliError(ExitCode::Usage, "string " + options.string + " has no block " + std::to_string(options.start));
    }

    bool Done() const { return session_.Walk().Done(); }
    std::optional<strings::Place> Expected() const { return session_.Walk().Expected(); }

    bool Take(const cells::CellCapture& capture)
    {
        const std::optional<strings::Place> expected = Expected();
        const auto taken = session_.Walk().Take(capture.Voltage);
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
    std::string Summary() const { return strings::SummaryText(session_.Verdicts().summary); }

private:
    void Store(strings::Place place, bool missing, store::CaptureInput reading)
    {
        reading.station = Q(options_.station);
        reading.operatorName = Q(options_.operatorName);
        reading.measuredUtc = NowUtc(context_.clock);
        const store::CaptureInput input = session_.InputFor(place, missing, std::move(reading));
        const store::CaptureReceipt receipt = store_.RecordCapture(input);
        TellSent(receipt.sentAhead);
        session_.Recorded(input, receipt);
        Write(session_.Judged().readings.back(), receipt.queued);
    }

    void Write(const store::StringReading& reading, bool queued)
    {
        const strings::InspectionVerdicts verdicts = session_.Verdicts();
        const strings::ReadingVerdict* verdict = reading.missing ? nullptr : store::WalkSession::VerdictOf(verdicts, reading.place);
        const qint64 inspection = session_.InspectionId();
        cli::Record record = StringReadingRecord(options_.site, options_.string,
                                                 inspection == 0 ? Value(nullptr) : Value(static_cast<long long>(inspection)),
                                                 reading, verdict);
        record.push_back({"queued", queued});
        std::string text = StringReadingText(reading, verdict);
        if (queued)
            text += "  (queued)";
        context_.output.Line(record, text + StoreTrouble(store_));
    }

    CommandContext& context_;
    store::CellStore& store_;
    const InspectOptions& options_;
    store::WalkSession session_;
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
