#pragma once

#include "sim/BenchCell.h"

#include <cstdint>
#include <vector>

namespace voltaryn::sim {

// The longest storage a recheck of a lot stands for: ten years.
inline constexpr int LongestStorageDays = 3650;

// How fast the cell at `place` in the tray of the lot `seed` (0: the cell stored first) loses
// voltage in storage, in mV/day: most cells 0.2 to 2, about 3 % (a soft internal short) 10 to 60.
double SelfDischargeRate(std::uint64_t seed, int place);

// The lot the stream `seed` sorted, as its tray holds it `days` later: the cells of the stream's
// settled passes, in the order they were stored, each with the voltage its self-discharge left
// it (never below 0 V) and the resistance it had.
//
// Cells are found as far as they are asked for and kept, so queries are const but not safe to
// make from two threads at once.
class StoredLot {
public:
    StoredLot(std::uint64_t seed, int days);

    // The cell at `place`, with its values and `trayPlace`.
    BenchCell At(int place) const;

private:
    std::uint64_t seed_;
    int days_;
    mutable std::vector<BenchCell> stored_;  // as they were sorted
    mutable int passesSearched_ = 0;
};

} // namespace voltaryn::sim
