#include "store/CapacityImport.h"

#include <unordered_map>
#include <unordered_set>

namespace voltaryn::store {

std::string CapacityChange::Text() const
{
    const auto mAh = [](double value) { return QString::number(value, 'f', 0).toStdString(); };
    return cell.toStdString() + ": " + mAh(from) + " → " + mAh(to) + " mAh" +
           (kept ? ", kept: it is in saved pack " + pack.toStdString() : std::string());
}

CapacityImport MatchCapacities(const cells::CapacityFile& file, const std::vector<CellRow>& cells,
                               const QString& batch, bool changePacked)
{
    std::unordered_map<std::string, const CellRow*> byName;
    std::unordered_set<std::string> names;
    for (const CellRow& cell : cells) {
        const std::string name = CellName(cell).toStdString();
        byName.emplace(name, &cell);
        names.insert(name);
    }
    CapacityImport import{{}, file.problems, {}};
    const std::vector<std::string> strangers = cells::CellsNotInBatch(file.rows, names, batch.toStdString());
    import.problems.insert(import.problems.end(), strangers.begin(), strangers.end());
    for (const cells::CapacityRow& row : file.rows) {
        const auto found = byName.find(row.id);
        if (found == byName.end())
            continue;
        const CellRow& cell = *found->second;
        if (cell.capacityMah && *cell.capacityMah != row.capacityMah) {
            const bool kept = !cell.pack.isEmpty() && !changePacked;
            import.changes.push_back({CellName(cell), *cell.capacityMah, row.capacityMah, cell.pack, kept});
            if (kept)
                continue;
        }
        // Filled in place: GCC 12 sees a moved-from variant as maybe uninitialised at -O1.
        CellCapacity& capacity = import.capacities.emplace_back();
        capacity.cell = cell.number;
        capacity.capacityMah = row.capacityMah;
    }
    return import;
}

} // namespace voltaryn::store
