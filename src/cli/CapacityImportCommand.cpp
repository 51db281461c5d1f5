// import-capacity: the capacities a charger measured, from its CSV into a batch's cells.
#include "cli/CellFields.h"
#include "cli/CellFiles.h"
#include "cli/CellStoreAccess.h"
#include "cli/CliError.h"
#include "cli/Commands.h"
#include "cells/CapacityCsv.h"

#include <iostream>
#include <unordered_map>
#include <unordered_set>

namespace voltaryn::cli {

void RunImportCapacity(CommandContext& context, const CapacityImportOptions& options)
{
    const cells::CapacityFile file = cells::ReadCapacityCsv(ReadWholeFile(options.file), {options.idColumn, options.capacityColumn});
    RunWithStore([&] {
        CellStoreAccess db(options.db, context.clock);
        db.Batch(options.batch);
        // A cell is named in the file as `cells` shows it: by its label, else "#0007".
        std::unordered_map<std::string, qint64> numbers;
        std::unordered_set<std::string> names;
        for (const store::CellRow& cell : db.Store().Cells(Q(options.batch))) {
            numbers.emplace(store::CellName(cell).toStdString(), cell.number);
            names.insert(store::CellName(cell).toStdString());
        }
        std::vector<std::string> problems = file.problems;
        const std::vector<std::string> strangers = cells::CellsNotInBatch(file.rows, names, options.batch);
        problems.insert(problems.end(), strangers.begin(), strangers.end());
        for (const std::string& problem : problems)
            std::cerr << problem << '\n';

        std::vector<store::CellCapacity> capacities;
        for (const cells::CapacityRow& row : file.rows) {
            if (const auto number = numbers.find(row.id); number != numbers.end())
                capacities.push_back({number->second, row.capacityMah});
        }
        const std::string bad = std::to_string(problems.size()) + (problems.size() == 1 ? " bad line" : " bad lines");
        if (!problems.empty() && (!options.skipBad || capacities.empty()))
            throw CliError(ExitCode::FileFailed, bad + " in " + options.file + ": nothing imported" +
                                                     (options.skipBad ? "" : " (--skip-bad imports the good ones)"));
        db.Store().SetCapacities(Q(options.batch), capacities);
        const std::string count = std::to_string(capacities.size()) + (capacities.size() == 1 ? " cell" : " cells");
        context.output.Line({{"batch", options.batch},
                             {"cells", static_cast<long long>(capacities.size())},
                             {"bad_lines", static_cast<long long>(problems.size())}},
                            count + " of batch " + options.batch + " got a capacity" +
                                (problems.empty() ? "" : "; " + bad + " skipped"));
    });
}

} // namespace voltaryn::cli
