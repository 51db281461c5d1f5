#pragma once

#include "cells/CapacityCsv.h"
#include "store/StoreTypes.h"

#include <string>
#include <vector>

namespace voltaryn::store {

// A capacity that replaces another the cell has.
struct CapacityChange {
    QString cell;  // as CellName names it
    double from = 0;  // mAh
    double to = 0;
    QString pack;  // the saved pack holding the cell; empty: none
    bool kept = false;  // the cell is in a saved pack, whose capacity stays

    // "#0002: 3012 → 2950 mAh", "#0003: 3012 → 2950 mAh, kept: it is in saved pack P1"
    std::string Text() const;
};

// A charger's capacity file matched to a batch's cells: the capacities of the good lines, each for
// the cell its ID names in any spelling ("#0002", "2"), and one text for each bad line: the file's
// own problems first, then the lines naming a cell the batch does not hold. A capacity that
// replaces another is a change; a cell of a saved pack keeps its own unless `changePacked`.
struct CapacityImport {
    std::vector<CellCapacity> capacities;  // to set
    std::vector<std::string> problems;
    std::vector<CapacityChange> changes;
};

CapacityImport MatchCapacities(const cells::CapacityFile& file, const std::vector<CellRow>& cells,
                               const QString& batch, bool changePacked = false);

} // namespace voltaryn::store
