// site, string, inspections and baseline: the battery strings a service keeps in the database.
#include "cli/CellFields.h"
#include "cli/CellStoreAccess.h"
#include "cli/CliError.h"
#include "cli/Commands.h"
#include "strings/StringModel.h"

#include <QFile>

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

// The string's figures as the core checks them.
store::StringInfo CheckedString(const StringAddOptions& options)
{
    const std::optional<strings::Chemistry> chemistry = strings::ChemistryOf(options.chemistry);
    if (!chemistry)
        throw CliError(ExitCode::Usage, "--chemistry is vla, vrla, nicd or lifepo4, not " + options.chemistry);
    strings::StringSpec spec{options.blocks, options.nominal, *chemistry, options.cellsPerBlock, options.straps};
    if (spec.cellsPerBlock == 0)
        spec.cellsPerBlock = strings::DefaultCellsPerBlock(spec.nominalVolts, spec.chemistry);
    if (const std::optional<strings::SpecFault> fault = strings::SpecFaultOf(spec))
        throw CliError(ExitCode::Usage, strings::SpecFaultText(*fault));
    const QDate installed = QDate::fromString(Q(options.installed), Qt::ISODate);
    if (!options.installed.empty() && !installed.isValid())
        throw CliError(ExitCode::Usage, "--installed is a date as 2021-03-15, not " + options.installed);
    return {Q(options.site), Q(options.name),   spec.blocks, spec.nominalVolts,
            Q(options.chemistry), spec.cellsPerBlock, spec.straps, installed};
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

void RunStringList(CommandContext& context, const StringOptions& options)
{
    RunWithStore([&] {
        CellStoreAccess db(options.db, context.clock, store::StoreAccess::ReadOnly);
        for (const store::StringInfo& string : db.Store().Strings(Q(options.site)))
            context.output.Row(StringRecord(string));
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
        if (options.mohm)
            choices.push_back({options.block, std::nullopt, options.mohm});
        else {
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

} // namespace voltaryn::cli
