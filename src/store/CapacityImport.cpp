#include "store/CapacityImport.h"

#include <unordered_map>
#include <unordered_set>

namespace voltaryn::store {

CapacityImport MatchCapacities(const cells::CapacityFile& file, const std::vector<CellRow>& cells,
                               const QString& batch)
{
    std::unordered_map<std::string, qint64> numbers;
    std::unordered_set<std::string> names;
    for (const CellRow& cell : cells) {
        const std::string name = CellName(cell).toStdString();
        numbers.emplace(name, cell.number);
        names.insert(name);
    }
    CapacityImport import{{}, file.problems};
    const std::vector<std::string> strangers = cells::CellsNotInBatch(file.rows, names, batch.toStdString());
    import.problems.insert(import.problems.end(), strangers.begin(), strangers.end());
    for (const cells::CapacityRow& row : file.rows) {
        if (const auto number = numbers.find(row.id); number != numbers.end()) {
            // Filled in place: GCC 12 sees a moved-from variant as maybe uninitialised at -O1.
            CellCapacity& capacity = import.capacities.emplace_back();
            capacity.cell = number->second;
            capacity.capacityMah = row.capacityMah;
        }
    }
    return import;
}

} // namespace voltaryn::store
