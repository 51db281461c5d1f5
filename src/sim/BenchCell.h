#pragma once

#include "sim/BatteryString.h"
#include "sim/SimClock.h"

#include <chrono>
#include <cstdint>
#include <optional>

namespace voltaryn::sim {

// How a cell's pass through the probe fixture goes.
enum class CellEvent {
    Normal,      // bounce, then a settled reading held until the lift
    BadContact,  // bounce, then a reading that keeps drifting and never settles
    EarlyLift,   // lifted after the bounce, with at most one steady reading
};

// What the probes show at one moment of a cell's pass.
enum class ProbePhase {
    Open,        // nothing between the probes: resistance overload, 0 V
    Bounce,      // contact bounce, or the new range's first reading after the switch turns
    WrongRange,  // the cell's steady reading on the range it needs to leave
    Settled,     // the cell's values with a little noise
    Drifting,    // a bad contact's values, creeping further off at every refresh
};

// One cell's pass through the probe fixture (on a string, one contact of the probes with a block
// or strap): its true values and when each step begins. Its steps follow each other: the probes
// stand open from `opened`, the cell touches them at `placed`, bounces until `steady`, shows its
// steady reading from then on; when the switch must turn, it turns at `turned` and the reading
// bounces once more until `onRange` (without a turn all three are the same moment); the cell is
// lifted at `lifted`, when the next cell's pass opens.
struct BenchCell {
    int index = 0;  // from 0 in the order of the stream
    std::optional<int> trayPlace;  // on a recheck, the cell's place in the tray (0: the cell stored first)
    std::optional<WalkStop> walkStop;  // on a string, the block or strap between the probes
    double volts = 0;
    double milliOhms = 0;
    CellEvent event = CellEvent::Normal;
    int rangeBefore = 0;  // the range switch as the cell is placed
    int rangeCode = 0;    // the switch once the cell's reading is on its range
    SimTime opened;
    SimTime placed;
    SimTime steady;
    SimTime turned;
    SimTime onRange;
    SimTime lifted;

    bool RangeTurned() const { return rangeCode != rangeBefore; }
    ProbePhase PhaseAt(SimTime at) const;
};

// The display's refresh: about three readings a second, each standing until the next.
inline constexpr std::chrono::milliseconds DisplayRefresh{333};

// The kinds of draws a bench makes, each salting its dice apart from the others.
enum BenchDraws : std::uint64_t {
    CellDraws = 1,
    RefreshDraws,
    TemperatureDraws,
    RecheckDraws,
    SelfDischargeDraws,
    StringContactDraws,
    StringLayoutDraws,
    StringBlockDraws,
    StringStrapDraws,
    StringSkipDraws,
};

// The cell with `index` in the stream `seed`, whose pass opens at `opened` with the switch at
// `rangeBefore`. Its values and its event follow from the seed and the index alone.
BenchCell DrawCell(std::uint64_t seed, int index, SimTime opened, int rangeBefore);

// Pass `index` of the recheck of the lot `seed`: `stored`, a cell of its tray, placed again, its
// contact as unsure as while the lot was sorted.
BenchCell DrawRecheck(std::uint64_t seed, int index, BenchCell stored, SimTime opened, int rangeBefore);

// Contact `index` of a walk along `string`, at `stop`, with the values its place has as the probes
// open before it.
BenchCell DrawStringContact(const BatteryString& string, int index, WalkStop stop, SimTime opened, int rangeBefore);

} // namespace voltaryn::sim
