#pragma once

#include "cells/PackTypes.h"

#include <span>
#include <string>
#include <vector>

namespace voltaryn::cells {

// A pack as builders lay it out next to the cells: each series group's cells with their figures.
struct MapCell {
    std::string id;
    double capacity = 0;    // mAh
    double resistance = 0;  // mOhm
    double deviation = 0;   // from the mean capacity of the pack's cells, as a fraction of it
};

struct MapGroup {
    std::vector<MapCell> cells;
    double capacity = 0;    // mAh, the sum
    double resistance = 0;  // mOhm, in parallel; 0 when a cell has none
};

struct PackMap {
    std::vector<MapGroup> groups;  // in series order
    int parallel = 0;              // cells of the largest group
    double meanCapacity = 0;       // mAh, over the pack's cells
    double largestDeviation = 0;   // the largest |deviation| of a cell
    double capacitySpread = 0;     // mAh, between the groups' sums
    double resistanceSpread = 0;   // mOhm, between the groups' parallel resistances
    double capacity = 0;           // mAh, the pack's: its smallest group's sum, which empties first
    double resistance = 0;         // mOhm, the pack's: its groups' in series; 0 when a group has none
};

// The map of groups of cells, in the order given.
PackMap MapGroups(const std::vector<std::vector<PackCell>>& groups);

// The map of `pack`, whose cell IDs name cells of `cells`.
PackMap MapPack(std::span<const PackCell> cells, const Pack& pack);

// The CSV a spreadsheet opens (UTF-8 with its mark, CR LF), one row per cell: group, position (both from 1), cell, capacity_mah, resistance_mohm.
std::string PackMapCsv(const PackMap& map);

} // namespace voltaryn::cells
