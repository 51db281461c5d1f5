#pragma once

#include "cells/PackTypes.h"

#include <span>
#include <vector>

namespace voltaryn::cells {

// A cell's figures as the pack cost adds them up.
struct CellFigures {
    double capacity = 0;
    double conductance = 0;  // 1 / resistance
    double resistance = 0;   // less the eligible cells' mean, which keeps the squares small
    double voltage = 0;      // V, for the request's voltage spread inside a group
};

// The running sums of one parallel group.
struct GroupTotals {
    double capacity = 0;
    double conductance = 0;
    double resistance = 0;
    double squares = 0;  // of the centred resistances

    void Add(const CellFigures& cell);
    void Remove(const CellFigures& cell);
};

// The cost of a request's objective (see PackObjective) over the groups' totals.
class PackCost {
public:
    PackCost(const PackRequest& request, double meanCapacity, double meanResistance);

    CellFigures Figures(const PackCell& cell) const;
    // The standard deviation of resistance inside a group; 0 for the capacity objective.
    double Inside(const GroupTotals& group) const;
    double Cost(double capacitySpread, double resistanceSpread, double insideSum) const;
    bool WeighsResistance() const { return balanced_; }

private:
    bool balanced_;
    int parallel_;
    double meanResistance_;
    double capacityScale_;
    double groupResistanceScale_;
    double insideScale_;
};

// Eligible cells of a request, by index into the input, or why a pack cannot be built from them.
struct EligibleCells {
    std::vector<std::size_t> indices;
    double meanCapacity = 0;
    double meanResistance = 0;
    std::optional<PackFault> fault;
};

EligibleCells FindEligibleCells(std::span<const PackCell> cells, const PackRequest& request);

// Whether cells from `low` to `high` V may share a parallel group of `request`. A microvolt
// beyond its spread still fits, so that 3.70 V - 3.65 V fits 0.05 V whatever the rounding.
bool VoltagesFit(double low, double high, const PackRequest& request);

// Whether the cells of `members` (indices into `cells`, at least one) may share a parallel group of `request`.
bool GroupFits(std::span<const PackCell> cells, std::span<const std::size_t> members, const PackRequest& request);

} // namespace voltaryn::cells
