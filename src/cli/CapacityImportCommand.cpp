// import-capacity: the capacities a charger measured, from its CSV into a batch's cells.
#include "cli/CellFields.h"
#include "cli/CellStoreAccess.h"
#include "cli/CliError.h"
#include "cli/Commands.h"
#include "cells/CapacityCsv.h"
#include "files/FileStatus.h"
#include "store/CapacityImport.h"

#include <iostream>

namespace voltaryn::cli {

void RunImportCapacity(CommandContext& context, const CapacityImportOptions& options)
{
    const cells::CapacityFile file = cells::ReadCapacityCsv(ReadWholeFile(options.file), {options.idColumn, options.capacityColumn});
    RunWithStore([&] {
        CellStoreAccess db(options.db, context.clock);
        db.Batch(options.batch);
        const store::CapacityImport import =
            store::MatchCapacities(file, db.Store().Cells(Q(options.batch)), Q(options.batch), options.changePacked);
        const std::vector<std::string>& problems = import.problems;
        for (const std::string& problem : problems)
            std::cerr << problem << '\n';
        const std::vector<store::CellCapacity>& capacities = import.capacities;
        const std::string bad = std::to_string(problems.size()) + (problems.size() == 1 ? " bad line" : " bad lines");
        if (!problems.empty() && (!options.skipBad || capacities.empty()))
            throw CliError(ExitCode::FileFailed, bad + " in " + options.file + ": nothing imported" +
                                                     (options.skipBad ? "" : " (--skip-bad imports the good ones)"));
        // Each capacity replaced is told, old and new, as is each a saved pack keeps.
        for (const store::CapacityChange& change : import.changes)
            std::cerr << change.Text() << '\n';
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
