#include "cells/PackBuilder.h"

#include <algorithm>
#include <chrono>
#include <limits>
#include <numeric>

namespace voltaryn::cells {
namespace {

// The eligible positions sorted from the largest capacity, the input order breaking ties.
std::vector<std::size_t> ByCapacity(std::span<const PackCell> cells, const EligibleCells& eligible)
{
    std::vector<std::size_t> sorted(eligible.indices.size());
    std::iota(sorted.begin(), sorted.end(), 0);
    std::stable_sort(sorted.begin(), sorted.end(), [&](std::size_t a, std::size_t b) {
        return cells[eligible.indices[a]].capacity > cells[eligible.indices[b]].capacity;
    });
    return sorted;
}

// An arrangement of eligible positions: the groups' slots, then the spares.
using Order = std::vector<std::size_t>;

Order SnakeOrder(const Order& sorted, std::size_t series, std::size_t parallel)
{
    Order order(sorted);
    for (std::size_t i = 0; i < series * parallel; ++i) {
        const std::size_t row = i / series;
        const std::size_t column = row % 2 == 0 ? i % series : series - 1 - i % series;
        order[column * parallel + row] = sorted[i];
    }
    return order;
}

// Largest first into the non-full group with the smallest sum, over the S x P consecutive sorted
// cells whose capacities span the least; the cells outside that run are the spares.
Order GreedyOrder(std::span<const PackCell> cells, const EligibleCells& eligible, const Order& sorted,
                  std::size_t series, std::size_t parallel)
{
    const std::size_t used = series * parallel;
    auto capacity = [&](std::size_t position) { return cells[eligible.indices[position]].capacity; };
    std::size_t first = 0;
    for (std::size_t start = 1; start + used <= sorted.size(); ++start) {
        if (capacity(sorted[start]) - capacity(sorted[start + used - 1]) <
            capacity(sorted[first]) - capacity(sorted[first + used - 1]))
            first = start;
    }
    Order order(sorted.size());
    std::vector<double> sums(series);
    std::vector<std::size_t> filled(series);
    for (std::size_t i = first; i < first + used; ++i) {
        std::size_t target = series;
        for (std::size_t g = 0; g < series; ++g) {
            if (filled[g] < parallel && (target == series || sums[g] < sums[target]))
                target = g;
        }
        order[target * parallel + filled[target]++] = sorted[i];
        sums[target] += capacity(sorted[i]);
    }
    std::copy(sorted.begin(), sorted.begin() + static_cast<std::ptrdiff_t>(first), order.begin() + static_cast<std::ptrdiff_t>(used));
    std::copy(sorted.begin() + static_cast<std::ptrdiff_t>(first + used), sorted.end(),
              order.begin() + static_cast<std::ptrdiff_t>(used + first));
    return order;
}

// The eligible cells dealt from the lowest voltage into at most S groups that keep the request's
// voltage spread: each group the P lowest cells left when the highest of them fits with the
// lowest, else the lowest cell a spare. No arrangement has more groups: of any groups within the
// spread, the one whose highest cell is lowest can give way to the first dealt here, and so on.
struct VoltageDeal {
    Order order;  // the groups found, then the spares
    std::size_t groups = 0;
};

VoltageDeal DealByVoltage(std::span<const PackCell> cells, const EligibleCells& eligible, const PackRequest& request)
{
    const auto series = static_cast<std::size_t>(request.series);
    const auto parallel = static_cast<std::size_t>(request.parallel);
    auto voltage = [&](std::size_t position) { return cells[eligible.indices[position]].voltage; };
    Order sorted(eligible.indices.size());
    std::iota(sorted.begin(), sorted.end(), 0);
    std::stable_sort(sorted.begin(), sorted.end(), [&](std::size_t a, std::size_t b) { return voltage(a) < voltage(b); });
    VoltageDeal deal;
    Order spares;
    for (std::size_t i = 0; i < sorted.size();) {
        if (deal.groups < series && i + parallel <= sorted.size() &&
            VoltagesFit(voltage(sorted[i]), voltage(sorted[i + parallel - 1]), request)) {
            deal.order.insert(deal.order.end(), sorted.begin() + static_cast<std::ptrdiff_t>(i),
                              sorted.begin() + static_cast<std::ptrdiff_t>(i + parallel));
            i += parallel;
            ++deal.groups;
        } else {
            spares.push_back(sorted[i++]);
        }
    }
    deal.order.insert(deal.order.end(), spares.begin(), spares.end());
    return deal;
}

PackLayout LayoutOf(const EligibleCells& eligible, const Order& order, std::size_t series, std::size_t parallel)
{
    PackLayout layout(series);
    for (std::size_t i = 0; i < series * parallel; ++i)
        layout[i / parallel].push_back(eligible.indices[order[i]]);
    for (std::vector<std::size_t>& members : layout)
        std::sort(members.begin(), members.end());
    return layout;
}

Pack Describe(std::span<const PackCell> cells, const EligibleCells& eligible, const PackCost& cost, const PackLayout& layout)
{
    Pack pack;
    std::vector<bool> used(cells.size());
    double capacityLow = std::numeric_limits<double>::infinity();
    double capacityHigh = -capacityLow;
    double resistanceLow = capacityLow;
    double resistanceHigh = -capacityLow;
    double inside = 0;
    for (const std::vector<std::size_t>& members : layout) {
        GroupTotals totals;
        PackGroup& group = pack.groups.emplace_back();
        for (const std::size_t i : members) {
            used[i] = true;
            totals.Add(cost.Figures(cells[i]));
            group.cellIds.push_back(cells[i].id);
        }
        group.capacity = totals.capacity;
        group.resistance = 1 / totals.conductance;
        inside += cost.Inside(totals);
        capacityLow = std::min(capacityLow, group.capacity);
        capacityHigh = std::max(capacityHigh, group.capacity);
        resistanceLow = std::min(resistanceLow, group.resistance);
        resistanceHigh = std::max(resistanceHigh, group.resistance);
    }
    pack.capacitySpread = capacityHigh - capacityLow;
    pack.resistanceSpread = resistanceHigh - resistanceLow;
    pack.cost = cost.Cost(pack.capacitySpread, pack.resistanceSpread, inside);
    for (const std::size_t i : eligible.indices) {
        if (!used[i])
            pack.unusedIds.push_back(cells[i].id);
    }
    return pack;
}

PackCost CostOf(const PackRequest& request, const EligibleCells& eligible)
{
    return {request, eligible.meanCapacity, eligible.meanResistance};
}

bool LayoutFits(std::span<const PackCell> cells, const PackLayout& layout, const PackRequest& request)
{
    return std::all_of(layout.begin(), layout.end(),
                       [&](const std::vector<std::size_t>& members) { return GroupFits(cells, members, request); });
}

} // namespace

PackOutcome BuildPack(std::span<const PackCell> cells, const PackRequest& request, const PackSearchOptions& options)
{
    const auto started = options.now();
    const EligibleCells eligible = FindEligibleCells(cells, request);
    if (eligible.fault)
        return {std::nullopt, eligible.fault};
    const auto series = static_cast<std::size_t>(request.series);
    const auto parallel = static_cast<std::size_t>(request.parallel);
    const PackCost cost = CostOf(request, eligible);
    const Order sorted = ByCapacity(cells, eligible);
    // The cheapest start that keeps the voltage spread; the greedy one wins a tie.
    std::vector<Order> starts{GreedyOrder(cells, eligible, sorted, series, parallel), SnakeOrder(sorted, series, parallel)};
    if (request.maxGroupVoltageSpread) {
        VoltageDeal deal = DealByVoltage(cells, eligible, request);
        if (deal.groups < series)
            return {std::nullopt, PackFault{.reason = PackFault::Reason::TooFewGroups,
                                            .parallel = request.parallel,
                                            .needed = series,
                                            .available = deal.groups,
                                            .spreadV = *request.maxGroupVoltageSpread}};
        std::erase_if(starts, [&](const Order& start) {
            return !LayoutFits(cells, LayoutOf(eligible, start, series, parallel), request);
        });
        starts.push_back(std::move(deal.order));
    }
    auto startCost = [&](const Order& start) {
        return Describe(cells, eligible, cost, LayoutOf(eligible, start, series, parallel)).cost;
    };
    Order order = std::move(*std::min_element(starts.begin(), starts.end(),
                                              [&](const Order& a, const Order& b) { return startCost(a) < startCost(b); }));
    std::vector<CellFigures> figures;
    figures.reserve(eligible.indices.size());
    for (const std::size_t i : eligible.indices)
        figures.push_back(cost.Figures(cells[i]));
    // The time budget covers the whole build: the search gets what the start has left, less a
    // hundredth kept for describing the result.
    PackSearchOptions search = options;
    const auto spent = std::chrono::duration_cast<std::chrono::milliseconds>(options.now() - started);
    search.timeBudget = std::max(options.timeBudget - spent - options.timeBudget / 100, std::chrono::milliseconds{1});
    SearchPack(figures, request, cost, order, search);
    Pack pack = Describe(cells, eligible, cost, LayoutOf(eligible, order, series, parallel));
    std::stable_sort(pack.groups.begin(), pack.groups.end(),
                     [](const PackGroup& a, const PackGroup& b) { return a.capacity > b.capacity; });
    return {std::move(pack), {}};
}

PackOutcome BuildSnakePack(std::span<const PackCell> cells, const PackRequest& request)
{
    const EligibleCells eligible = FindEligibleCells(cells, request);
    if (eligible.fault)
        return {std::nullopt, eligible.fault};
    const auto series = static_cast<std::size_t>(request.series);
    const auto parallel = static_cast<std::size_t>(request.parallel);
    const PackLayout snake = LayoutOf(eligible, SnakeOrder(ByCapacity(cells, eligible), series, parallel), series, parallel);
    if (!LayoutFits(cells, snake, request))
        return {std::nullopt, PackFault{.reason = PackFault::Reason::SnakeTooWide, .spreadV = *request.maxGroupVoltageSpread}};
    return {Describe(cells, eligible, CostOf(request, eligible), snake), {}};
}

Pack DescribePack(std::span<const PackCell> cells, const PackRequest& request, const PackLayout& layout)
{
    const EligibleCells eligible = FindEligibleCells(cells, request);
    return Describe(cells, eligible, CostOf(request, eligible), layout);
}

} // namespace voltaryn::cells
