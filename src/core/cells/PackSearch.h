#pragma once

#include "cells/PackCost.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace voltaryn::cells {

// How long the builder searches. It stops at whichever limit comes first, or earlier when no
// swap can improve the pack by a figure that matters: the cost is within the resolution (a
// hundredth of a mAh of capacity spread, or its share of the balanced cost), or several
// annealing rounds in a row improve it by less than that. The result depends only on the cells,
// the request and the seed as long as the move limit, not the clock, ends the search.
struct PackSearchOptions {
    std::uint64_t seed = 1;
    std::uint64_t maxMoves = 40'000'000;  // moves evaluated
    std::chrono::milliseconds timeBudget{2000};
    std::function<std::chrono::steady_clock::time_point()> now = std::chrono::steady_clock::now;
    // Called about every 50 ms with the fraction (0..1) of the time budget spent; returning
    // false ends the search with the best pack found so far.
    std::function<bool(double spent)> progress;
};

// Improves an arrangement of cells for `request` by simulated annealing, each round followed by a
// descent to a local optimum. `order` holds indices into `figures`: the first series * parallel
// are the groups, `parallel` by `parallel`, the rest are spares. A move swaps a grouped cell with a
// cell of another group or with a spare; under a voltage spread, only a move that keeps both
// groups within it, so an arrangement that keeps it goes on keeping it.
void SearchPack(std::span<const CellFigures> figures, const PackRequest& request, const PackCost& cost,
                std::vector<std::size_t>& order, const PackSearchOptions& options);

} // namespace voltaryn::cells
