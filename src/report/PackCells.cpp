#include "report/PackCells.h"

#include "store/BatchCells.h"

#include <algorithm>
#include <unordered_map>

namespace voltaryn::report {

cells::PackMap MapSavedPack(const store::PackLayout& pack, const std::vector<store::CellRow>& rows)
{
    std::unordered_map<qint64, const store::CellRow*> byNumber;
    for (const store::CellRow& row : rows)
        byNumber.emplace(row.number, &row);
    std::vector<std::vector<cells::PackCell>> groups(static_cast<std::size_t>(pack.series));
    std::vector<store::PackPosition> places = pack.cells;
    std::sort(places.begin(), places.end(), [](const store::PackPosition& a, const store::PackPosition& b) {
        return std::pair(a.group, a.position) < std::pair(b.group, b.position);
    });
    for (const store::PackPosition& place : places) {
        const auto found = byNumber.find(place.cellNumber);
        store::CellRow unknown;
        unknown.number = place.cellNumber;
        const store::CellRow& row = found != byNumber.end() ? *found->second : unknown;
        groups[static_cast<std::size_t>(place.group)].push_back(store::PackCellOf(row));
    }
    return cells::MapGroups(groups);
}

} // namespace voltaryn::report
