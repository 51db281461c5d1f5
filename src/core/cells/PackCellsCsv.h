#pragma once

#include "cells/PackOffer.h"
#include "cells/PackTypes.h"

#include <string>
#include <string_view>
#include <vector>

namespace voltaryn::cells {

// The cells offered to the pack builder from a CSV whose header holds `cell` and `capacity_mah`,
// and may hold `resistance_mohm`, `voltage_v`, `grade`, `pack` and `self_discharge` (any case, in
// any order; comma or semicolon separated as CellCsv reads it), as `voltaryn-cli cells` writes
// them. A figure left empty stays 0, which the builder refuses for capacity and resistance. A file
// knows no grade table: a cell graded as the default table's reject grade (Reject) is rejected, one
// with a pack named is in a saved pack, one whose self_discharge is "suspect" is a suspect. One
// text for each bad line, or for a missing column.
struct PackCellsFile {
    std::vector<PackCell> cells;
    std::vector<CellStanding> standings;  // of each cell
    bool hasResistance = false;  // the file has a resistance_mohm column
    bool hasVoltage = false;     // and a voltage_v column
    std::vector<std::string> problems;
};

PackCellsFile ReadPackCellsCsv(std::string_view text);

} // namespace voltaryn::cells
