// pack: an xSyP pack built from a batch's cells or from a CSV of cells, as a map to build by.
#include "cli/CellFields.h"
#include "cli/CellStoreAccess.h"
#include "cli/CliError.h"
#include "cli/Commands.h"
#include "cells/PackBuilder.h"
#include "cells/PackCellsCsv.h"
#include "files/FileStatus.h"
#include "store/BatchCells.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>
#include <iomanip>
#include <iostream>
#include <sstream>
#include <unordered_map>

namespace voltaryn::cli {
namespace {

using PackJson = nlohmann::ordered_json;

// The cells on offer, where they come from ("the batch", "the file"), whether their resistances
// are known, and why the other cells were left out.
struct Offer {
    std::vector<cells::PackCell> cells;
    std::string source;
    bool resistanceKnown = true;
    bool voltageKnown = true;
    std::unordered_map<std::string, qint64> numbers;  // a batch's cells by name, for --save
    std::string leftOut;
};

// The batch's usable cells of the grades asked for (cells::WhyLeftOut).
Offer BatchOffer(store::CellStore& store, const store::BatchInfo& batch, const cells::PackChoice& choice)
{
    const std::vector<store::CellRow> rows = store.Cells(batch.name);
    const cells::PackOffer usable = store::PackOfferOf(rows, store::RulesOf(batch), choice);
    Offer offer{usable.cells, "the batch", true, true, {}, usable.LeftOutText()};
    for (const store::CellRow& cell : rows)
        offer.numbers.emplace(store::CellName(cell).toStdString(), cell.number);
    return offer;
}

// The file's usable cells by the same rule as a batch's. Without a resistance column every cell
// weighs the same 1 mOhm, which only the capacity objective may ignore.
Offer FileOffer(const std::string& path, const cells::PackChoice& choice)
{
    cells::PackCellsFile file = cells::ReadPackCellsCsv(ReadWholeFile(path));
    for (const std::string& problem : file.problems)
        std::cerr << problem << '\n';
    if (!file.problems.empty())
        throw CliError(ExitCode::FileFailed, std::to_string(file.problems.size()) +
                                                 (file.problems.size() == 1 ? " bad line in " : " bad lines in ") + path);
    cells::PackOffer usable;
    for (std::size_t i = 0; i < file.cells.size(); ++i) {
        if (!file.hasResistance)
            file.cells[i].resistance = 1;
        usable.Offer(std::move(file.cells[i]), file.standings[i], choice);
    }
    return {std::move(usable.cells), "the file", file.hasResistance, file.hasVoltage, {}, usable.LeftOutText()};
}

cells::PackObjective Objective(const PackOptions& options, const Offer& offer)
{
    if (options.objective == "capacity" || (options.objective.empty() && !offer.resistanceKnown))
        return cells::PackObjective::Capacity;
    if (!offer.resistanceKnown)
        throw CliError(ExitCode::FileFailed, "the balanced objective needs the cells' resistance: " + options.cellsFile +
                                                 " has no resistance_mohm column");
    return cells::PackObjective::Balanced;
}

std::string Cells(std::size_t count) { return std::to_string(count) + (count == 1 ? " cell" : " cells"); }

// "needs 52 cells, the batch has 49 eligible: 3 missing (left out: 4 rejected)"
void CheckEnoughCells(const Offer& offer, const cells::PackRequest& request)
{
    const std::size_t eligible = offer.cells.size();
    const std::size_t needed = static_cast<std::size_t>(request.series) * static_cast<std::size_t>(request.parallel);
    if (eligible < needed)
        throw CliError(ExitCode::Usage, "needs " + Cells(needed) + ", " + offer.source + " has " +
                                            std::to_string(eligible) + " eligible: " + std::to_string(needed - eligible) +
                                            " missing" + (offer.leftOut.empty() ? "" : " (" + offer.leftOut + ")"));
}

const char* ObjectiveName(cells::PackObjective objective)
{
    return objective == cells::PackObjective::Capacity ? "capacity" : "balanced";
}

class PackWriter {
public:
    PackWriter(const cells::Pack& pack, const cells::PackRequest& request, const Offer& offer)
        : pack_(pack), request_(request), resistanceKnown_(offer.resistanceKnown)
    {
        for (const cells::PackCell& cell : offer.cells)
            cells_.emplace(cell.id, &cell);
    }

    void Write(Output& output, Format format) const
    {
        if (format == Format::Json)
            output.Document(JsonDocument().dump());
        else if (format == Format::Text)
            WriteText(output);
        else
            WriteRows(output);
    }

private:
    std::optional<double> Resistance(double value) const { return resistanceKnown_ ? std::optional(value) : std::nullopt; }

    PackJson JsonDocument() const
    {
        PackJson groups = PackJson::array();
        for (const cells::PackGroup& group : pack_.groups) {
            groups.push_back({{"cells", group.cellIds},
                              {"capacity_mah", group.capacity},
                              {"resistance_mohm", resistanceKnown_ ? PackJson(group.resistance) : PackJson(nullptr)}});
        }
        return {{"series", request_.series},
                {"parallel", request_.parallel},
                {"objective", ObjectiveName(request_.objective)},
                {"groups", groups},
                {"capacity_spread_mah", pack_.capacitySpread},
                {"resistance_spread_mohm", resistanceKnown_ ? PackJson(pack_.resistanceSpread) : PackJson(nullptr)},
                {"unused", pack_.unusedIds}};
    }

    // A line per group: its number, its cells, its sums.
    void WriteText(Output& output) const
    {
        std::string title = std::to_string(request_.series) + "S" + std::to_string(request_.parallel) + "P (" +
                            ObjectiveName(request_.objective) + "): capacity spread " + Fixed(pack_.capacitySpread, 2) + " mAh";
        if (resistanceKnown_)
            title += ", resistance spread " + Fixed(pack_.resistanceSpread, 3) + " mOhm";
        output.Document(title);
        std::size_t width = 0;
        for (const cells::PackGroup& group : pack_.groups)
            for (const std::string& id : group.cellIds)
                width = std::max(width, id.size());
        const std::size_t numberWidth = std::to_string(pack_.groups.size()).size();
        for (std::size_t g = 0; g < pack_.groups.size(); ++g) {
            const cells::PackGroup& group = pack_.groups[g];
            std::ostringstream line;
            line << "group " << std::setw(static_cast<int>(numberWidth)) << g + 1 << ":";
            for (const std::string& id : group.cellIds)
                line << "  " << std::left << std::setw(static_cast<int>(width)) << id << std::right;
            line << "  " << Fixed(group.capacity, 1) << " mAh";
            if (resistanceKnown_)
                line << "  " << Fixed(group.resistance, 3) << " mOhm";
            output.Document(line.str());
        }
        std::string unused = "unused: " + (pack_.unusedIds.empty() ? std::string("none") : std::string());
        for (std::size_t i = 0; i < pack_.unusedIds.size(); ++i)
            unused += (i > 0 ? " " : "") + pack_.unusedIds[i];
        output.Document(unused);
    }

    // A row per cell, groups and positions counted from 1.
    void WriteRows(Output& output) const
    {
        for (std::size_t g = 0; g < pack_.groups.size(); ++g) {
            const std::vector<std::string>& ids = pack_.groups[g].cellIds;
            for (std::size_t p = 0; p < ids.size(); ++p) {
                const cells::PackCell& cell = *cells_.at(ids[p]);
                output.Row({{"group", static_cast<long long>(g + 1)},
                            {"position", static_cast<long long>(p + 1)},
                            {"cell", cell.id},
                            {"capacity_mah", Measured(cell.capacity)},
                            {"resistance_mohm", Measured(Resistance(cell.resistance))}});
            }
        }
    }

    const cells::Pack& pack_;
    const cells::PackRequest& request_;
    bool resistanceKnown_;
    std::unordered_map<std::string, const cells::PackCell*> cells_;
};

store::PackLayout Layout(const std::string& name, const cells::Pack& pack, const cells::PackRequest& request, const Offer& offer)
{
    store::PackLayout layout{Q(name), request.series, request.parallel, {}, {}};
    for (std::size_t g = 0; g < pack.groups.size(); ++g) {
        const std::vector<std::string>& ids = pack.groups[g].cellIds;
        for (std::size_t p = 0; p < ids.size(); ++p)
            layout.cells.push_back({static_cast<int>(g), static_cast<int>(p), offer.numbers.at(ids[p])});
    }
    return layout;
}

} // namespace

void RunPack(CommandContext& context, const PackOptions& options)
{
    if (options.batch.empty() == options.cellsFile.empty())
        throw CliError(ExitCode::Usage, "pack needs --batch or --cells, one of them");
    if (!options.save.empty() && options.batch.empty())
        throw CliError(ExitCode::Usage, "--save needs --batch: a pack is saved in its batch");
    RunWithStore([&] {
        std::optional<CellStoreAccess> db;
        std::optional<Offer> fromBatch;
        const cells::PackChoice choice{options.grades, options.includeSuspects};
        if (!options.batch.empty()) {
            db.emplace(options.db, context.clock);
            fromBatch = BatchOffer(db->Store(), db->Batch(options.batch), choice);
        }
        // The offer holds only the usable cells of the grades asked for.
        const Offer offer = fromBatch ? *fromBatch : FileOffer(options.cellsFile, choice);
        cells::PackRequest request{options.series, options.parallel, {}, Objective(options, offer), {}};
        if (options.maxGroupVoltageSpread) {
            if (!offer.voltageKnown)
                throw CliError(ExitCode::FileFailed, "--max-group-voltage-spread needs the cells' voltage: " +
                                                         options.cellsFile + " has no voltage_v column");
            request.maxGroupVoltageSpread = *options.maxGroupVoltageSpread / 1000;
        }
        CheckEnoughCells(offer, request);
        cells::PackSearchOptions search;
        search.seed = options.seed;
        search.timeBudget = std::chrono::milliseconds(std::llround(options.timeLimit * 1000));
        const cells::PackOutcome built = cells::BuildPack(offer.cells, request, search);
        if (!built.pack)
            throw CliError(db ? ExitCode::Usage : ExitCode::FileFailed, cells::PackFaultText(*built.fault));
        const Format format = context.format.value_or(Format::Text);
        PackWriter(*built.pack, request, offer).Write(context.output, format);
        if (!options.save.empty()) {
            db->Store().SavePack(Q(options.batch), Layout(options.save, *built.pack, request, offer));
            if (format == Format::Text)
                context.output.Document("saved as pack " + options.save + " of batch " + options.batch);
        }
    });
}

} // namespace voltaryn::cli
