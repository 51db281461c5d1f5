#include "cells/PackMap.h"

#include "files/CsvFormat.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <unordered_map>

namespace voltaryn::cells {
namespace {

// The shortest text that reads back as the same number.
std::string NumberText(double value)
{
    char text[32];
    return {text, std::to_chars(text, text + sizeof text, value).ptr};
}

} // namespace

PackMap MapGroups(const std::vector<std::vector<PackCell>>& groups)
{
    PackMap map;
    double total = 0;
    std::size_t count = 0;
    for (const std::vector<PackCell>& cells : groups) {
        MapGroup& group = map.groups.emplace_back();
        double conductance = 0;
        bool everyResistance = true;
        for (const PackCell& cell : cells) {
            group.cells.push_back({cell.id, cell.capacity, cell.resistance, 0});
            group.capacity += cell.capacity;
            everyResistance = everyResistance && cell.resistance > 0;
            conductance += cell.resistance > 0 ? 1 / cell.resistance : 0;
        }
        group.resistance = everyResistance && conductance > 0 ? 1 / conductance : 0;
        map.parallel = std::max(map.parallel, static_cast<int>(cells.size()));
        total += group.capacity;
        count += cells.size();
    }
    if (count == 0)
        return map;
    map.meanCapacity = total / static_cast<double>(count);
    double capacityLow = std::numeric_limits<double>::infinity();
    double capacityHigh = -capacityLow;
    double resistanceLow = capacityLow;
    double resistanceHigh = -capacityLow;
    bool everyResistance = true;
    for (MapGroup& group : map.groups) {
        for (MapCell& cell : group.cells) {
            cell.deviation = map.meanCapacity > 0 ? cell.capacity / map.meanCapacity - 1 : 0;
            map.largestDeviation = std::max(map.largestDeviation, std::abs(cell.deviation));
        }
        capacityLow = std::min(capacityLow, group.capacity);
        capacityHigh = std::max(capacityHigh, group.capacity);
        resistanceLow = std::min(resistanceLow, group.resistance);
        resistanceHigh = std::max(resistanceHigh, group.resistance);
        map.resistance += group.resistance;
        everyResistance = everyResistance && group.resistance > 0;
    }
    map.capacitySpread = capacityHigh - capacityLow;
    map.resistanceSpread = resistanceHigh - resistanceLow;
    map.capacity = capacityLow;
    map.resistance = everyResistance ? map.resistance : 0;
    return map;
}

PackMap MapPack(std::span<const PackCell> cells, const Pack& pack)
{
    std::unordered_map<std::string, const PackCell*> byId;
    for (const PackCell& cell : cells)
        byId.emplace(cell.id, &cell);
    std::vector<std::vector<PackCell>> groups;
    for (const PackGroup& group : pack.groups) {
        std::vector<PackCell>& members = groups.emplace_back();
        for (const std::string& id : group.cellIds) {
            const auto found = byId.find(id);
            if (found != byId.end()) {
                members.push_back(*found->second);
            } else {
                members.emplace_back().id = id;
            }
        }
    }
    return MapGroups(groups);
}

std::string PackMapCsv(const PackMap& map)
{
    const RecordRow header{"group", "position", "cell", "capacity_mah", "resistance_mohm"};
    std::string text(Utf8ByteOrderMark);
    text += CsvLine(header, header.size());
    for (std::size_t g = 0; g < map.groups.size(); ++g) {
        const std::vector<MapCell>& cells = map.groups[g].cells;
        for (std::size_t p = 0; p < cells.size(); ++p)
            text += CsvLine({std::to_string(g + 1), std::to_string(p + 1), cells[p].id, NumberText(cells[p].capacity),
                             NumberText(cells[p].resistance)},
                            header.size());
    }
    return text;
}

} // namespace voltaryn::cells
