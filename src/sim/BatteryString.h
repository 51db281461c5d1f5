#pragma once

#include "sim/SimClock.h"
#include "strings/StringModel.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <vector>

namespace voltaryn::sim {

// The day the simulated string went into service: every block ages from it on.
inline constexpr std::chrono::sys_days StringInstalled{std::chrono::year{2021} / 1 / 1};
inline constexpr int DefaultStringBlocks = 24;
// From this day on one strap of the simulated string works loose.
inline constexpr std::chrono::sys_days StrapLooseningFrom{std::chrono::year{2022} / 9 / 1};

// Where the probes stop on a string: a block or a strap, in the how-manieth walk along it.
struct WalkStop {
    int walk = 0;  // from 0
    strings::Place place{strings::PlaceKind::Block, 1};

    bool operator==(const WalkStop&) const = default;
};

// What the probes find at a place of the string.
struct StringPartValues {
    double volts = 0;
    double milliOhms = 0;
    double celsius = 0;
};

// A UPS string of 12 V VRLA blocks on float and the straps between them, as the seed makes it.
// Blocks float at 13.45-13.75 V with 4-6 mOhm when new, at 23-25 °C; perhaps one of them is 4-6 °C
// warmer and floats lower by 18 mV a degree (not below 13.4 V), so that every block lies within
// the VRLA float window at its temperature. Each block's resistance grows by its own rate a year,
// compounding from StringInstalled: most by 0.5-3 %, a few aged ones (about one in twelve) by
// 15-25 %, so that once in service an aged block reads 32-56 % above its reading two years
// before. Straps read a few mV and 30-80 µOhm; one or two are loose, at 150-300 µOhm, and another
// works loose from StrapLooseningFrom on, 40-60 % up a year, when the string has one. Now and then
// the walker skips a strap (about one in 25).
//
// Every value follows from the seed and the place alone (which blocks are aged and which straps
// loose also from the number of blocks), so the string a test inspects is the one the probes walk.
class BatteryString {
public:
    // `blocks` from 1 to strings::MostBlocks; others are refused with std::invalid_argument.
    BatteryString(std::uint64_t seed, int blocks);

    std::uint64_t Seed() const { return seed_; }
    int Blocks() const { return static_cast<int>(blocks_.size()); }

    // The values at `place` at the moment `at` (a moment before StringInstalled reads as new).
    StringPartValues ValuesAt(strings::Place place, SimTime at) const;
    // By how much block `number`'s resistance grows a year: 0.02 for 2 %.
    double AgeingPerYear(int number) const { return BlockAt(number).ageingPerYear; }
    bool Aged(int number) const { return BlockAt(number).aged; }
    bool Loose(int strap) const { return StrapAt(strap).loose; }
    // By how much strap `number`'s resistance grows a year from StrapLooseningFrom on: 0 for most.
    double LooseningPerYear(int number) const { return StrapAt(number).looseningPerYear; }
    std::optional<int> WarmBlock() const { return warmBlock_; }
    // Whether the walker goes from block `strap` straight to the next block in walk `walk`.
    bool StrapSkipped(int walk, int strap) const;
    // Where the probes go after a settled reading at `stop`: the strap after a block (unless it is
    // skipped), the next block after a strap, block 1 of the next walk after the last block.
    WalkStop After(WalkStop stop) const;

private:
    struct Block {
        double volts;
        double newMilliOhms;
        double ageingPerYear;
        double celsius;
        bool aged;
    };
    struct Strap {
        double volts;
        double milliOhms;
        bool loose;
        double looseningPerYear = 0;
    };

    const Block& BlockAt(int number) const;
    const Strap& StrapAt(int number) const;

    std::uint64_t seed_;
    std::vector<Block> blocks_;
    std::vector<Strap> straps_;
    std::optional<int> warmBlock_;
};

} // namespace voltaryn::sim
