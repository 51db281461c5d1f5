#pragma once

#include "cells/PackTypes.h"

#include <span>
#include <string_view>

namespace voltaryn::cells {

// A built pack after one of its cells was taken out (it failed the welding, say) and the best
// spare put in its place.
struct CellReplacement {
    Pack pack;  // same groups in the same order, each cell in its place, the spare in the failed
                // cell's; the failed cell is neither grouped nor unused
    std::string spareId;
    double capacityChange = 0;          // mAh, the spare's less the failed cell's
    double resistanceChange = 0;        // mOhm, the spare's less the failed cell's
    double capacitySpreadChange = 0;    // mAh, new less old
    double resistanceSpreadChange = 0;  // mOhm, new less old
    double costChange = 0;              // of the request's objective
};

struct ReplacementOutcome {
    std::optional<CellReplacement> replacement;
    std::optional<PackFault> fault;
};

// Puts in place of `failedId` the spare of `pack.unusedIds` that gives the pack of `request` the
// lowest cost of those that keep the group within the request's voltage spread; the other cells
// stay where they are. `cells` and `request` are those the pack was built from.
ReplacementOutcome ReplaceCell(std::span<const PackCell> cells, const PackRequest& request, const Pack& pack,
                               std::string_view failedId);

} // namespace voltaryn::cells
