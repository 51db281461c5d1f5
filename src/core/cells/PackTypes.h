#pragma once

#include "cells/PackFault.h"

#include <optional>
#include <string>
#include <vector>

namespace voltaryn::cells {

// A cell offered to the pack builder.
struct PackCell {
    std::string id;
    double capacity = 0;    // mAh
    double resistance = 0;  // mOhm, above 0
    double voltage = 0;     // V
    std::string grade;
};

// What the builder minimises.
//
// Each group g of the pack has a capacity sum C_g (mAh), a parallel resistance R_g = 1 / Σ 1/R_i
// (mOhm) and a standard deviation s_g of its cells' resistances (population, over its P cells).
// The capacity spread is max C_g - min C_g, the resistance spread max R_g - min R_g.
//
// - Capacity: cost = capacity spread, in mAh.
// - Balanced: cost = capacity spread / (P c)
//                  + groupResistanceWeight * resistance spread / (r / P)
//                  + insideResistanceWeight * mean of s_g / r
//   where c and r are the mean capacity and resistance of the eligible cells, so each term is a
//   fraction of what a typical group (or cell) has and the cost has no unit. With the default
//   weights of 0.01, the capacity spread comes first: 1 % of spread between the groups' parallel
//   resistances, or a 1 % standard deviation of resistance inside the groups, weighs as much as a
//   0.01 % capacity spread (1.2 mAh between 12 Ah groups).
enum class PackObjective { Balanced, Capacity };

struct BalanceWeights {
    double groupResistance = 0.01;
    double insideResistance = 0.01;
};

// An xSyP pack to build: `series` groups of `parallel` cells.
struct PackRequest {
    int series = 0;
    int parallel = 0;
    std::vector<std::string> eligibleGrades;  // empty: every grade
    PackObjective objective = PackObjective::Balanced;
    BalanceWeights weights;
    // V: how far apart the voltages inside a parallel group may lie, so that cells at different
    // states of charge are not joined; none: any.
    std::optional<double> maxGroupVoltageSpread = std::nullopt;
};

struct PackGroup {
    std::vector<std::string> cellIds;  // as built, in the order of the input cells; a replacement takes its cell's place
    double capacity = 0;               // mAh, the sum
    double resistance = 0;             // mOhm, in parallel
};

struct Pack {
    std::vector<PackGroup> groups;        // the series order, largest capacity sum first
    double capacitySpread = 0;            // mAh
    double resistanceSpread = 0;          // mOhm
    double cost = 0;                      // of the request's objective, see PackObjective
    std::vector<std::string> unusedIds;   // eligible cells left over, in input order
};

// A built pack, or why none could be built.
struct PackOutcome {
    std::optional<Pack> pack;
    std::optional<PackFault> fault;
};

} // namespace voltaryn::cells
