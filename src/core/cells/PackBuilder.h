#pragma once

#include "cells/PackSearch.h"
#include "cells/PackTypes.h"

#include <span>
#include <vector>

namespace voltaryn::cells {

// Groups of cells, by index into the builder's input.
using PackLayout = std::vector<std::vector<std::size_t>>;

// Builds the pack of `request` from `cells`: a greedy start (the best of the snake deal, the
// largest cell first into the non-full group with the smallest sum and, under a voltage spread,
// a deal by voltage, of those that keep the spread), then the search of PackSearchOptions. Fails
// when S or P is not positive, the voltage spread is negative, an ID repeats, an eligible cell
// lacks a positive capacity or resistance, too few cells are eligible, or too few groups of them
// keep the voltage spread.
PackOutcome BuildPack(std::span<const PackCell> cells, const PackRequest& request, const PackSearchOptions& options = {});

// The serpentine baseline: the S x P eligible cells of largest capacity, sorted from the largest,
// dealt row by row to groups 1..S, then S..1, and so on. Fails as BuildPack does, except that
// under a voltage spread it fails whenever its deal breaks it: bent to keep it, the deal would no
// longer be the baseline.
PackOutcome BuildSnakePack(std::span<const PackCell> cells, const PackRequest& request);

// The sums, spreads, cost and unused cells of `layout` under `request`, which FindEligibleCells
// must accept. Groups, and the cells in each, keep the layout's order.
Pack DescribePack(std::span<const PackCell> cells, const PackRequest& request, const PackLayout& layout);

} // namespace voltaryn::cells
