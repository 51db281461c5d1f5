#pragma once

#include "cells/PackBuilder.h"

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

namespace voltaryn::cells {

// `count` cells with capacities around 3000 mAh and resistances around 20 mOhm from a fixed
// pseudo-random sequence, whole milliampere-hours when `wholeCapacities`, and voltages from 3.50
// to 3.60 V, a hundredth apart in turn.
inline std::vector<PackCell> TestCells(std::size_t count, std::uint32_t seed, bool wholeCapacities = false)
{
    std::uint32_t state = seed * 2654435761u + 1;
    auto next = [&state] {
        state = state * 1664525u + 1013904223u;
        return static_cast<double>(state >> 8) / static_cast<double>(1u << 24);
    };
    std::vector<PackCell> cells;
    for (std::size_t i = 0; i < count; ++i) {
        double capacity = 2850 + 300 * next();
        if (wholeCapacities)
            capacity = static_cast<double>(static_cast<int>(capacity));
        const double voltage = 3.5 + 0.01 * static_cast<double>(i % 11);
        cells.push_back({"C" + std::to_string(i), capacity, 15 + 10 * next(), voltage, i % 5 == 4 ? "B" : "A"});
    }
    return cells;
}

// A search bounded by moves alone: the clock stands still.
inline PackSearchOptions MovesOnly(std::uint64_t moves, std::uint64_t seed = 1)
{
    PackSearchOptions options;
    options.seed = seed;
    options.maxMoves = moves;
    options.now = [] { return std::chrono::steady_clock::time_point{}; };
    return options;
}

} // namespace voltaryn::cells
