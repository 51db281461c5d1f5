#include "cells/CellReplacement.h"

#include "cells/PackBuilder.h"
#include "cells/PackCost.h"

#include <algorithm>
#include <unordered_map>

namespace voltaryn::cells {

ReplacementOutcome ReplaceCell(std::span<const PackCell> cells, const PackRequest& request, const Pack& pack,
                               std::string_view failedId)
{
    const EligibleCells eligible = FindEligibleCells(cells, request);
    if (eligible.fault)
        return {std::nullopt, eligible.fault};
    std::unordered_map<std::string_view, std::size_t> indexOf;
    for (std::size_t i = 0; i < cells.size(); ++i)
        indexOf.emplace(cells[i].id, i);
    auto unknown = [&](std::string_view id) { return !indexOf.contains(id); };

    PackLayout layout;
    for (const PackGroup& group : pack.groups) {
        if (std::any_of(group.cellIds.begin(), group.cellIds.end(), unknown))
            return {std::nullopt, PackFault{.reason = PackFault::Reason::CellsNotListed}};
        std::vector<std::size_t>& members = layout.emplace_back();
        for (const std::string& id : group.cellIds)
            members.push_back(indexOf.at(id));
    }
    std::size_t* failed = nullptr;
    const std::vector<std::size_t>* failedGroup = nullptr;
    if (const auto it = indexOf.find(failedId); it != indexOf.end()) {
        for (std::vector<std::size_t>& members : layout) {
            if (const auto slot = std::find(members.begin(), members.end(), it->second); slot != members.end()) {
                failed = &*slot;
                failedGroup = &members;
            }
        }
    }
    if (failed == nullptr)
        return {std::nullopt, PackFault{.reason = PackFault::Reason::CellNotInPack, .cellId = std::string(failedId)}};
    if (std::any_of(pack.unusedIds.begin(), pack.unusedIds.end(), unknown))
        return {std::nullopt, PackFault{.reason = PackFault::Reason::SparesNotListed}};
    if (pack.unusedIds.empty())
        return {std::nullopt, PackFault{.reason = PackFault::Reason::NoSpare}};

    std::optional<CellReplacement> best;
    for (const std::string& spareId : pack.unusedIds) {
        *failed = indexOf.at(spareId);
        if (!GroupFits(cells, *failedGroup, request))
            continue;
        Pack candidate = DescribePack(cells, request, layout);
        if (!best || candidate.cost < best->pack.cost)
            best = CellReplacement{std::move(candidate), spareId};
    }
    if (!best)
        return {std::nullopt, PackFault{.reason = PackFault::Reason::NoSpareFits}};
    best->pack.unusedIds = pack.unusedIds;
    std::erase(best->pack.unusedIds, best->spareId);
    const PackCell& spare = cells[indexOf.at(best->spareId)];
    const PackCell& failedCell = cells[indexOf.at(failedId)];
    best->capacityChange = spare.capacity - failedCell.capacity;
    best->resistanceChange = spare.resistance - failedCell.resistance;
    best->capacitySpreadChange = best->pack.capacitySpread - pack.capacitySpread;
    best->resistanceSpreadChange = best->pack.resistanceSpread - pack.resistanceSpread;
    best->costChange = best->pack.cost - pack.cost;
    return {std::move(best), {}};
}

} // namespace voltaryn::cells
