// site, string, inspections and baseline: the battery strings a service keeps in the database.
#include "cli/CellFields.h"
#include "cli/CellStoreAccess.h"
#include "cli/CliError.h"
#include "cli/Commands.h"
#include "cli/StringFields.h"
#include "store/StringJudging.h"
#include "strings/PolicyJson.h"
#include "strings/StringModel.h"

#include <QFile>

#include <map>

namespace voltaryn::cli {
namespace {

std::string Text(const QString& text) { return text.toStdString(); }

store::StringInfo StringOf(store::CellStore& store, const std::string& site, const std::string& string)
{
    std::optional<store::StringInfo> found = store.FindString(Q(site), Q(string));
    if (!found)
        throw CliError(ExitCode::Usage, "there is no string " + string + " at site " + site + " (see string list)");
    return *std::move(found);
}

// A policy file's text, once the core reads it; empty for none.
QString PolicyFile(const std::string& path)
{
    if (path.empty())
        return {};
    QFile file(Q(path));
    if (!file.open(QIODevice::ReadOnly))
        throw CliError(ExitCode::Usage, "cannot read " + path + ": " + file.errorString().toStdString());
    const QByteArray text = file.readAll();
    if (const strings::PoliciesRead read = strings::PoliciesFromJson(text.toStdString()); read.fault)
        throw CliError(ExitCode::Usage, path + ": " + strings::PolicyFaultText(*read.fault));
    return QString::fromUtf8(text);
}

// "2025-03-14", or null.
Value DateValue(const std::optional<std::chrono::sys_days>& day)
{
    if (!day)
        return nullptr;
    const std::chrono::year_month_day date{*day};
    return Text(QDate(static_cast<int>(date.year()), static_cast<int>(static_cast<unsigned>(date.month())),
                      static_cast<int>(static_cast<unsigned>(date.day())))
                    .toString(Qt::ISODate));
}

Value Percent(const std::optional<double>& figure)
{
    return figure ? Value(Number{*figure, Fixed(*figure, 1)}) : Value(nullptr);
}

// A block's trend as trend lists it; the forecast's words counted from `today`.
Record TrendRecord(const strings::BlockTrend& trend, const std::optional<strings::Baseline>& baseline,
                   std::chrono::sys_days today)
{
    ObjectList points;
    points.objects.reserve(trend.points.size());
    for (const strings::TrendPoint& point : trend.points) {
        ObjectList::Entry change{"change_pct", nullptr};
        if (point.changePercent)
            change.second = Number{*point.changePercent, Fixed(*point.changePercent, 1)};
        points.objects.push_back({{"date", std::get<std::string>(DateValue(point.date))},
                                  {"resistance_mohm", Number{point.milliohm, Fixed(point.milliohm, 3)}},
                                  change});
    }
    const auto forecast = [](const std::optional<strings::LimitForecast>& line) {
        return line ? DateValue(line->date) : Value(nullptr);
    };
    return {{"block", static_cast<long long>(trend.block)},
            {"baseline_mohm", Measured(baseline ? std::optional(baseline->milliohm) : std::nullopt)},
            {"baseline", baseline ? Value(std::string(strings::BaselineSourceName(baseline->source))) : Value(nullptr)},
            {"inspections", points},
            {"change_pct", Percent(trend.points.empty() ? std::nullopt : trend.points.back().changePercent)},
            {"slope_pct_per_year", Percent(trend.slopePercentPerYear)},
            {"warn_forecast", forecast(trend.warn)},
            {"fail_forecast", forecast(trend.fail)},
            {"forecast", strings::TrendText(trend, today)}};
}

// The string's figures as the core checks them.
store::StringInfo CheckedString(const StringAddOptions& options)
{
    const std::optional<strings::Chemistry> chemistry = strings::ChemistryOf(options.chemistry);
    if (!chemistry)
        throw CliError(ExitCode::Usage, "--chemistry is vla, vrla, nicd or lifepo4, not " + options.chemistry);
    strings::StringLayout layout{options.blocks, options.nominal, *chemistry, options.cellsPerBlock, options.straps};
    if (layout.cellsPerBlock == 0)
        layout.cellsPerBlock = strings::DefaultCellsPerBlock(layout.nominalVolts, layout.chemistry);
    if (const std::optional<strings::LayoutFault> fault = strings::LayoutFaultOf(layout))
        throw CliError(ExitCode::Usage, strings::LayoutFaultText(*fault));
    const QDate installed = QDate::fromString(Q(options.installed), Qt::ISODate);
    if (!options.installed.empty() && !installed.isValid())
        throw CliError(ExitCode::Usage, "--installed is a date as 2021-03-15, not " + options.installed);
    return {Q(options.site), Q(options.name),   layout.blocks, layout.nominalVolts,
            Q(options.chemistry), layout.cellsPerBlock, layout.straps, installed, PolicyFile(options.policies)};
}

Record StringRecord(const store::StringInfo& string)
{
    return {{"site", Text(string.site)},
            {"string", Text(string.name)},
            {"blocks", static_cast<long long>(string.blocks)},
            {"nominal_v", Number{string.nominalVolts, Text(QString::number(string.nominalVolts))}},
            {"chemistry", Text(string.chemistry)},
            {"cells_per_block", static_cast<long long>(string.cellsPerBlock)},
            {"straps", string.straps},
            {"installed", string.installed.isValid() ? Value(Text(string.installed.toString(Qt::ISODate))) : Value(nullptr)}};
}

} // namespace

void RunSiteAdd(CommandContext& context, const SiteOptions& options)
{
    RunWithStore([&] {
        CellStoreAccess db(options.db, context.clock);
        db.Store().AddSite({Q(options.name), Q(options.notes)});
        context.output.Line({{"site", options.name}, {"notes", options.notes}}, "site " + options.name + " added");
    });
}

void RunSiteList(CommandContext& context, const DatabaseOptions& options)
{
    RunWithStore([&] {
        CellStoreAccess db(options.db, context.clock, store::StoreAccess::ReadOnly);
        for (const store::SiteInfo& site : db.Store().Sites())
            context.output.Row({{"site", Text(site.name)}, {"notes", Text(site.notes)}, {"created", IsoTime(site.createdUtc)}});
    });
}

void RunStringAdd(CommandContext& context, const StringAddOptions& options)
{
    const store::StringInfo string = CheckedString(options);
    RunWithStore([&] {
        CellStoreAccess db(options.db, context.clock);
        db.Store().AddString(string);
        context.output.Line(StringRecord(string), "string " + options.name + " added at site " + options.site);
    });
}

void RunStringEdit(CommandContext& context, const StringEditOptions& options)
{
    if (options.figures.straps && options.noStraps)
        throw CliError(ExitCode::Usage, "give --straps or --no-straps, not both");
    RunWithStore([&] {
        CellStoreAccess db(options.figures.db, context.clock);
        const store::StringInfo now = StringOf(db.Store(), options.figures.site, options.figures.name);
        StringAddOptions merged = options.figures;
        const bool sameBlock = (merged.nominal == 0 || merged.nominal == now.nominalVolts) &&
                               (merged.chemistry.empty() || merged.chemistry == Text(now.chemistry));
        merged.blocks = merged.blocks != 0 ? merged.blocks : now.blocks;
        merged.nominal = merged.nominal != 0 ? merged.nominal : now.nominalVolts;
        merged.chemistry = merged.chemistry.empty() ? Text(now.chemistry) : merged.chemistry;
        merged.cellsPerBlock = merged.cellsPerBlock == 0 && sameBlock ? now.cellsPerBlock : merged.cellsPerBlock;
        merged.straps = merged.straps || (now.straps && !options.noStraps);
        if (merged.installed.empty() && now.installed.isValid())
            merged.installed = Text(now.installed.toString(Qt::ISODate));
        else if (merged.installed == "none")
            merged.installed.clear();
        store::StringInfo edited = CheckedString(merged);
        edited.policiesJson = now.policiesJson;
        db.Store().EditString(edited);
        context.output.Line(StringRecord(edited), "string " + merged.name + " at site " + merged.site + " changed");
    });
}

void RunStringList(CommandContext& context, const StringOptions& options)
{
    RunWithStore([&] {
        CellStoreAccess db(options.db, context.clock, store::StoreAccess::ReadOnly);
        for (const store::StringInfo& string : db.Store().Strings(Q(options.site)))
            context.output.Row(StringRecord(string));
    });
}

void RunStringPolicies(CommandContext& context, const PoliciesOptions& options)
{
    if (options.defaults && !options.file.empty())
        throw CliError(ExitCode::Usage, "give --policies FILE or --defaults, not both");
    const QString kept = options.defaults ? QString() : PolicyFile(options.file);
    RunWithStore([&] {
        CellStoreAccess db(options.db, context.clock);
        StringOf(db.Store(), options.site, options.string);
        if (options.defaults || !options.file.empty())
            db.Store().SetPolicies(Q(options.site), Q(options.string), kept);
        const store::StringInfo string = StringOf(db.Store(), options.site, options.string);
        context.output.Document(strings::PoliciesToJson(store::PoliciesOf(string)));
    });
}

void RunInspections(CommandContext& context, const StringOptions& options)
{
    RunWithStore([&] {
        CellStoreAccess db(options.db, context.clock, store::StoreAccess::ReadOnly);
        StringOf(db.Store(), options.site, options.string);
        const std::vector<store::StringReading> readings = db.Store().StringReadings(Q(options.site), Q(options.string));
        for (const store::InspectionInfo& inspection : db.Store().Inspections(Q(options.site), Q(options.string))) {
            const auto count = std::ranges::count_if(readings, [&inspection](const store::StringReading& reading) {
                return reading.inspectionId == inspection.id;
            });
            context.output.Row({{"inspection", static_cast<long long>(inspection.id)},
                                {"started", IsoTime(inspection.startedUtc)},
                                {"station", Text(inspection.station)},
                                {"operator", Text(inspection.operatorName)},
                                {"ambient_c", Measured(inspection.ambientC)},
                                {"readings", static_cast<long long>(count)}});
        }
    });
}

void RunBaseline(CommandContext& context, const BaselineOptions& options)
{
    if ((options.inspection != 0) == (options.block != 0 || options.mohm))
        throw CliError(ExitCode::Usage, "give --inspection ID, or --block N with --mohm X");
    if (options.inspection == 0 && (options.block == 0 || !options.mohm))
        throw CliError(ExitCode::Usage, "--block N and --mohm X go together");
    RunWithStore([&] {
        CellStoreAccess db(options.db, context.clock);
        const store::StringInfo string = StringOf(db.Store(), options.site, options.string);
        if (options.block > string.blocks)
            throw CliError(ExitCode::Usage, "string " + options.string + " has no block " + std::to_string(options.block));
        std::vector<store::BaselineChoice> choices;
        if (options.mohm) {
            choices.push_back({options.block, std::nullopt, options.mohm});
        } else {
            const std::optional<store::InspectionInfo> inspection = db.Store().Inspection(options.inspection);
            if (!inspection || Text(inspection->site) != options.site || Text(inspection->string) != options.string)
                throw CliError(ExitCode::Usage, "string " + options.string + " has no inspection " +
                                                    std::to_string(options.inspection) + " (see inspections)");
            for (int block = 1; block <= string.blocks; ++block)
                choices.push_back({block, options.inspection, std::nullopt});
        }
        for (const store::BaselineChoice& choice : choices) {
            db.Store().SetBaseline(string.site, string.name, choice);
            context.output.Row({{"block", static_cast<long long>(choice.block)},
                                {"inspection", choice.inspectionId ? Value(*choice.inspectionId) : Value(nullptr)},
                                {"mohm", Measured(choice.resistanceMohm)}});
        }
    });
}

void RunReadings(CommandContext& context, const ReadingsOptions& options)
{
    RunWithStore([&] {
        CellStoreAccess db(options.db, context.clock, store::StoreAccess::ReadOnly);
        const std::optional<store::InspectionInfo> inspection = db.Store().Inspection(options.inspection);
        if (!inspection)
            throw CliError(ExitCode::Usage, "there is no inspection " + std::to_string(options.inspection) +
                                                " (see inspections)");
        const store::JudgedString judged = store::ReadJudgedString(db.Store(), inspection->site, inspection->string);
        const strings::InspectionVerdicts verdicts = judged.Verdicts(inspection->id).value();
        // The reading in force of each place: the latest taken.
        std::map<strings::Place, store::StringReading> inForce;
        for (const store::StringReading& reading : db.Store().InspectionReadings(inspection->id))
            inForce[reading.place] = reading;
        for (const auto& [place, reading] : inForce) {
            const auto found = std::ranges::find(verdicts.readings, place, &strings::ReadingVerdict::place);
            const strings::ReadingVerdict* verdict = reading.missing || found == verdicts.readings.end() ? nullptr : &*found;
            context.output.Row(StringReadingRecord(Text(inspection->site), Text(inspection->string),
                                                   static_cast<long long>(inspection->id), reading, verdict));
        }
    });
}

void RunTrend(CommandContext& context, const TrendOptions& options)
{
    RunWithStore([&] {
        CellStoreAccess db(options.db, context.clock, store::StoreAccess::ReadOnly);
        StringOf(db.Store(), options.site, options.string);
        const store::JudgedString judged = store::ReadJudgedString(db.Store(), Q(options.site), Q(options.string));
        if (options.block > judged.layout.blocks)
            throw CliError(ExitCode::Usage, "string " + options.string + " has no block " + std::to_string(options.block));
        const auto today = std::chrono::floor<std::chrono::days>(context.clock.Now());
        for (const strings::BlockTrend& trend : judged.Trends())
            if (options.block == 0 || trend.block == options.block)
                context.output.Row(TrendRecord(trend, judged.baselines[static_cast<std::size_t>(trend.block - 1)], today));
    });
}

} // namespace voltaryn::cli
