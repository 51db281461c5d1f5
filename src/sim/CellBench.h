#pragma once

#include "sim/BatteryModel.h"
#include "sim/BatteryString.h"
#include "sim/BenchCell.h"
#include "sim/StoredLot.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace voltaryn::sim {

// A stream of cells through the probe fixture, as an operator sorting a lot presents them: open
// probes, contact bounce, a settled reading, the lift; now and then a bad contact that keeps
// drifting, a lift before the reading settles, or a cell whose resistance needs another range, for
// which the range switch turns. Everything follows from the seed and the time since the start:
// the same seed gives the same stream however often it is asked. Voltages lie in 2.0-4.2 V, most
// near 3.6 V; resistances are log-normal around 30 mOhm; the fixture stands near 24 °C.
//
// Given the days the lot was stored, the stream is its recheck instead: the cells of the tray
// (StoredLot) in their order, the contact as unsure as before; a cell whose pass did not settle
// is placed again on the next.
//
// Given a battery string, the stream is a walk along it instead: block 1, strap 1, block 2, ...,
// the last block, then block 1 again (BatteryString::After), a place whose contact did not settle
// probed again, each block as old as the moment makes it, the temperature read at its post.
//
// Cells are planned as far as they are asked for and kept, so queries are const but not safe to
// make from two threads at once.
class CellBench {
public:
    static constexpr int FirstRangeCode = 2;  // "40 mOhm"

    CellBench(std::uint64_t seed, SimTime start, std::optional<int> daysStored = std::nullopt);
    CellBench(BatteryString string, SimTime start);

    std::uint64_t Seed() const { return seed_; }
    SimTime Start() const { return start_; }

    // The cell whose pass `at` falls in: on the probes, or next while they stand open. A time
    // before the start reads as the start.
    BenchCell CellAt(SimTime at) const;
    // The range switch at `at`.
    int RangeCodeAt(SimTime at) const;
    // What the meter measures at its last display refresh up to `at`.
    BatterySample ShownAt(SimTime at) const;
    // The string walked, if any.
    const std::optional<BatteryString>& String() const { return string_; }
    // The first `count` cells of the stream.
    std::vector<BenchCell> FirstCells(int count) const;

private:
    const BenchCell& Planned(SimTime at) const;
    void PlanNext() const;
    int NextTrayPlace() const;
    WalkStop NextWalkStop() const;
    double CelsiusAt(const BenchCell& cell, SimTime refresh, double noise) const;

    std::uint64_t seed_;
    SimTime start_;
    double temperaturePhase_;
    std::optional<StoredLot> lot_;
    std::optional<BatteryString> string_;
    mutable std::vector<BenchCell> cells_;
};

} // namespace voltaryn::sim
