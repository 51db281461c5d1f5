#pragma once

#include "cells/PackTypes.h"

#include <string>
#include <string_view>
#include <vector>

namespace voltaryn::cells {

// The cells offered to the pack builder from a CSV whose header holds `cell` and `capacity_mah`,
// and may hold `resistance_mohm`, `voltage_v` and `grade` (any case, in any order; comma or
// semicolon separated as CellCsv reads it). A figure left empty stays 0, which the builder refuses
// for capacity and resistance. One text for each bad line, or for a missing column.
struct PackCellsFile {
    std::vector<PackCell> cells;
    bool hasResistance = false;  // the file has a resistance_mohm column
    bool hasVoltage = false;     // and a voltage_v column
    std::vector<std::string> problems;
};

PackCellsFile ReadPackCellsCsv(std::string_view text);

} // namespace voltaryn::cells
