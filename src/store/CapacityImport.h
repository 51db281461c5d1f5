#pragma once

#include "cells/CapacityCsv.h"
#include "store/StoreTypes.h"

#include <string>
#include <vector>

namespace voltaryn::store {

// A charger's capacity file matched to a batch's cells: the capacities of the good lines, each for
// the cell its ID names in any spelling ("#0002", "2"), and one text for each bad line: the file's
// own problems first, then the lines naming a cell the batch does not hold.
struct CapacityImport {
    std::vector<CellCapacity> capacities;
    std::vector<std::string> problems;
};

CapacityImport MatchCapacities(const cells::CapacityFile& file, const std::vector<CellRow>& cells,
                               const QString& batch);

} // namespace voltaryn::store
