#include "cells/PackCost.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <unordered_set>

namespace voltaryn::cells {

void GroupTotals::Add(const CellFigures& cell)
{
    capacity += cell.capacity;
    conductance += cell.conductance;
    resistance += cell.resistance;
    squares += cell.resistance * cell.resistance;
}

void GroupTotals::Remove(const CellFigures& cell)
{
    capacity -= cell.capacity;
    conductance -= cell.conductance;
    resistance -= cell.resistance;
    squares -= cell.resistance * cell.resistance;
}

PackCost::PackCost(const PackRequest& request, double meanCapacity, double meanResistance)
    : balanced_(request.objective == PackObjective::Balanced)
    , parallel_(request.parallel)
    , meanResistance_(meanResistance)
    , capacityScale_(1 / (request.parallel * meanCapacity))
    , groupResistanceScale_(request.weights.groupResistance * request.parallel / meanResistance)
    , insideScale_(request.weights.insideResistance / (request.series * meanResistance))
{
}

CellFigures PackCost::Figures(const PackCell& cell) const
{
    return {cell.capacity, 1 / cell.resistance, cell.resistance - meanResistance_, cell.voltage};
}

double PackCost::Inside(const GroupTotals& group) const
{
    if (!balanced_)
        return 0;
    const double mean = group.resistance / parallel_;
    return std::sqrt(std::max(0.0, group.squares / parallel_ - mean * mean));
}

double PackCost::Cost(double capacitySpread, double resistanceSpread, double insideSum) const
{
    if (!balanced_)
        return capacitySpread;
    return capacitySpread * capacityScale_ + resistanceSpread * groupResistanceScale_ + insideSum * insideScale_;
}

EligibleCells FindEligibleCells(std::span<const PackCell> cells, const PackRequest& request)
{
    EligibleCells eligible;
    if (request.series <= 0 || request.parallel <= 0) {
        eligible.fault = PackFault{.reason = PackFault::Reason::ShapeNotPositive, .series = request.series,
                                   .parallel = request.parallel};
        return eligible;
    }
    if (const auto& spread = request.maxGroupVoltageSpread; spread && (!std::isfinite(*spread) || *spread < 0)) {
        eligible.fault = PackFault{.reason = PackFault::Reason::SpreadNegative};
        return eligible;
    }
    std::unordered_set<std::string_view> ids;
    for (const PackCell& cell : cells) {
        if (!ids.insert(cell.id).second) {
            eligible.fault = PackFault{.reason = PackFault::Reason::DuplicateId, .cellId = cell.id};
            return eligible;
        }
    }
    const auto& grades = request.eligibleGrades;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const PackCell& cell = cells[i];
        if (!grades.empty() && std::find(grades.begin(), grades.end(), cell.grade) == grades.end())
            continue;
        if (!(cell.capacity > 0 && cell.resistance > 0 && std::isfinite(cell.capacity) && std::isfinite(cell.resistance))) {
            eligible.fault = PackFault{.reason = PackFault::Reason::CellUnusable, .cellId = cell.id};
            return eligible;
        }
        eligible.indices.push_back(i);
        eligible.meanCapacity += cell.capacity;
        eligible.meanResistance += cell.resistance;
    }
    const auto needed = static_cast<std::size_t>(request.series) * static_cast<std::size_t>(request.parallel);
    if (eligible.indices.size() < needed) {
        eligible.fault =
            PackFault{.reason = PackFault::Reason::TooFewCells, .needed = needed, .available = eligible.indices.size()};
        return eligible;
    }
    eligible.meanCapacity /= static_cast<double>(eligible.indices.size());
    eligible.meanResistance /= static_cast<double>(eligible.indices.size());
    return eligible;
}

bool VoltagesFit(double low, double high, const PackRequest& request)
{
    constexpr double Microvolt = 1e-6;
    return !request.maxGroupVoltageSpread || high - low <= *request.maxGroupVoltageSpread + Microvolt;
}

bool GroupFits(std::span<const PackCell> cells, std::span<const std::size_t> members, const PackRequest& request)
{
    const auto [low, high] = std::minmax_element(members.begin(), members.end(), [&](std::size_t a, std::size_t b) {
        return cells[a].voltage < cells[b].voltage;
    });
    return VoltagesFit(cells[*low].voltage, cells[*high].voltage, request);
}

} // namespace voltaryn::cells
