// The simulated battery string: what it is at any date, and the walk of the probes along it
// through the real link, commands and decoder.
#include "SimHarness.h"

#include "sim/BatteryString.h"
#include "sim/CellBench.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <stdexcept>
#include <tuple>
#include <vector>

namespace voltaryn::sim {
namespace {

using std::chrono::years;
using strings::Place;
using enum strings::PlaceKind;

std::vector<BenchCell> Contacts(std::uint64_t seed, int blocks, SimTime start, int count)
{
    return CellBench(BatteryString(seed, blocks), start).FirstCells(count);
}

// The settled contacts go block 1, strap 1, block 2, ... block N, then block 1 of the next walk,
// leaving out the straps the string says are skipped in that walk (a few); a contact that does not
// settle is repeated at its place.
TEST(StringWalk, GoesBlockStrapBlockAndSkipsTheStrapsTheStringNames)
{
    const std::tuple<std::uint64_t, int, int> cases[] = {{1, 24, 900}, {7, 5, 400}, {3, 2, 200}, {9, 1, 60}};
    int skipped = 0, straps = 0, retried = 0;
    for (const auto& [seed, blocks, count] : cases) {
        SCOPED_TRACE(::testing::Message() << "seed " << seed << ", " << blocks << " blocks");
        const BatteryString string(seed, blocks);
        const std::vector<BenchCell> contacts = Contacts(seed, blocks, DemoStart, count);
        std::vector<WalkStop> settled, expected;
        for (std::size_t i = 0; i + 1 < contacts.size(); ++i) {
            if (contacts[i].event == CellEvent::Normal)
                settled.push_back(contacts[i].walkStop.value());
            else {
                EXPECT_EQ(contacts[i + 1].walkStop, contacts[i].walkStop) << "contact " << i;
                ++retried;
            }
        }
        for (int walk = 0; expected.size() < settled.size(); ++walk)
            for (int n = 1; n <= blocks; ++n) {
                expected.push_back({walk, {Block, n}});
                if (n < blocks && !string.StrapSkipped(walk, n))
                    expected.push_back({walk, {Strap, n}});
                straps += n < blocks;
                skipped += n < blocks && string.StrapSkipped(walk, n);
            }
        expected.resize(settled.size());
        EXPECT_EQ(settled, expected);
    }
    EXPECT_TRUE(skipped > 0 && skipped < straps / 10) << skipped << " of " << straps;
    EXPECT_GT(retried, 10);
}

// Many strings, new: every block and strap in its band (each block within the VRLA float window
// of 2.23-2.30 V a cell at 25 °C, 3 mV a cell lower for each degree warmer), the aged blocks, loose
// straps and warm block as few as promised; the one strap that works loose 40-60 % up a year on. A string of no blocks or too many is refused.
TEST(StringParts, LieInTheirBandsAndTheAgedAndLooseAreFew)
{
    for (const int blocks : {24, 1000})
        for (std::uint64_t seed = 1; seed <= 20; ++seed) {
            SCOPED_TRACE(::testing::Message() << "seed " << seed << ", " << blocks << " blocks");
            const BatteryString string(seed, blocks);
            int aged = 0, loose = 0, loosening = 0;
            for (int n = 1; n <= blocks; ++n) {
                const StringPartValues block = string.ValuesAt({Block, n}, StringInstalled);
                const bool warm = string.WarmBlock() == n;
                const double floatShift = 0.018 * (25 - block.celsius);
                EXPECT_TRUE(block.volts >= 13.4 && block.volts <= 13.8 && block.volts >= 13.38 + floatShift
                            && block.volts <= 13.8 + floatShift) << n << ": " << block.volts;
                EXPECT_TRUE(block.milliOhms >= 4 && block.milliOhms <= 6) << n << ": " << block.milliOhms;
                EXPECT_TRUE(warm ? block.celsius >= 27 && block.celsius <= 31 : block.celsius >= 23 && block.celsius <= 25)
                    << n << ": " << block.celsius;
                aged += string.Aged(n);
            }
            for (int n = 1; n < blocks; ++n) {
                const StringPartValues strap = string.ValuesAt({Strap, n}, StrapLooseningFrom);
                const auto [low, high] = string.Loose(n) ? std::pair(0.150, 0.300) : std::pair(0.030, 0.080);
                EXPECT_TRUE(strap.volts > 0 && strap.volts < 0.005) << n << ": " << strap.volts;
                EXPECT_TRUE(strap.milliOhms >= low && strap.milliOhms <= high) << n << ": " << strap.milliOhms;
                const double yearOn = string.ValuesAt({Strap, n}, StrapLooseningFrom + years{1}).milliOhms / strap.milliOhms;
                EXPECT_NEAR(yearOn, 1 + string.LooseningPerYear(n), 1e-9) << n;
                loosening += string.LooseningPerYear(n) >= 0.4 && string.LooseningPerYear(n) <= 0.6;
                loose += string.Loose(n);
            }
            EXPECT_TRUE(aged == blocks / 12 || aged == blocks / 12 + 1) << aged;
            EXPECT_TRUE(loose == 1 || loose == 2) << loose;
            EXPECT_EQ(loosening, 1);
        }
    EXPECT_THROW(BatteryString(1, 0), std::invalid_argument);
    EXPECT_THROW(BatteryString(1, strings::MostBlocks + 1), std::invalid_argument);
}

// A block's resistance against its reading of some years before: an aged block is more than 30 %
// up after two years and 50 % after three, whenever the baseline was taken; the others a few per
// cent. Before its installation the string reads as new.
TEST(StringParts, BlocksAgeWithTheDate)
{
    struct Row {
        int baselineYear, years;
        double agedLow, agedHigh, otherLow, otherHigh;  // change against the baseline
    };
    const Row rows[] = {{2021, 1, 0.15, 0.25, 0.005, 0.03}, {2022, 2, 0.32, 0.57, 0.01, 0.061}, {2023, 3, 0.52, 0.96, 0.015, 0.093}};
    for (const std::uint64_t seed : {1u, 5u, 42u}) {
        const BatteryString string(seed, 24);
        for (const Row& row : rows)
            for (int n = 1; n <= 24; ++n) {
                const SimTime baseline = std::chrono::sys_days{std::chrono::year{row.baselineYear} / 6 / 1};
                const double change = string.ValuesAt({Block, n}, baseline + years{row.years}).milliOhms
                                          / string.ValuesAt({Block, n}, baseline).milliOhms - 1;
                const auto [low, high] = string.Aged(n) ? std::pair(row.agedLow, row.agedHigh) : std::pair(row.otherLow, row.otherHigh);
                EXPECT_TRUE(change >= low && change <= high) << "seed " << seed << ", block " << n << ": " << change;
            }
        EXPECT_EQ(string.ValuesAt({Block, 3}, StringInstalled - years{2}).milliOhms,
                  string.ValuesAt({Block, 3}, StringInstalled).milliOhms);
    }
}

// The same seed walks the same string alike; another seed another string. Started a year later,
// the walk goes the same way along the same string, each block a year older, the strap working
// loose looser.
TEST(StringWalk, TheSeedAndTheDateDecideTheWalk)
{
    const auto fields = [](const BenchCell& c) {
        return std::tuple(c.walkStop.value(), c.volts, c.milliOhms, c.event, c.rangeCode, c.lifted - c.opened);
    };
    const std::vector<BenchCell> walk = Contacts(7, 24, DemoStart, 300);
    const std::vector<BenchCell> again = Contacts(7, 24, DemoStart, 300);
    const std::vector<BenchCell> other = Contacts(8, 24, DemoStart, 300);
    const std::vector<BenchCell> later = Contacts(7, 24, DemoStart + years{1}, 300);
    const BatteryString string(7, 24);
    for (std::size_t i = 0; i < walk.size(); ++i) {
        const WalkStop stop = walk[i].walkStop.value();
        EXPECT_EQ(fields(walk[i]), fields(again[i])) << i;
        EXPECT_NE(walk[i].milliOhms, other[i].milliOhms) << i;
        ASSERT_EQ(std::tuple(later[i].walkStop.value(), later[i].event), std::tuple(stop, walk[i].event)) << i;
        const double ageing = stop.place.kind == Block ? string.AgeingPerYear(stop.place.number)
                                                       : string.LooseningPerYear(stop.place.number);
        EXPECT_NEAR(later[i].milliOhms / walk[i].milliOhms, 1 + ageing, 1e-5) << i;
    }
}

// Every refresh of the first 150 contacts, a year and nine years after installation, decoded by
// the program: a settled strap shows a few mV and its µOhm on the 4 mOhm range (1 µOhm digits), a
// block its float voltage and resistance on the lowest range that holds it (4 mOhm while young,
// 40 mOhm once aged past 9 mOhm), each within 0.1 % and half a digit, and its post's temperature.
TEST(StringWalkDisplay, TheDecoderReadsStrapsAndBlocksOnTheirRanges)
{
    const SimTime young = StringInstalled + years{1};
    for (const SimTime date : {young, young + years{8}}) {
        SimHarness sim;
        sim.now = date;
        sim.meter.SetStringBench(3, 24);
        const CellBench& bench = *sim.meter.Bench();
        std::set<std::tuple<strings::PlaceKind, int>> seen;  // block or strap, and range
        for (const SimTime end = bench.FirstCells(150).back().lifted; sim.now < end; sim.now += DisplayRefresh) {
            const BenchCell contact = bench.CellAt(sim.now);
            const MeterReading& r = sim.Poll();
            if (contact.PhaseAt(sim.now) != ProbePhase::Settled)
                continue;
            const Place place = contact.walkStop->place;
            const StringPartValues truth = bench.String()->ValuesAt(place, contact.opened);
            const double halfDigit = 0.5 * std::pow(10.0, contact.rangeCode - 4);  // mOhm
            SCOPED_TRACE(strings::PlaceText(place));
            seen.emplace(place.kind, sim.meter.RangeCode());
            EXPECT_EQ(sim.meter.RangeCode(), contact.rangeCode);
            if (truth.milliOhms < 9 || truth.milliOhms > 9.2) {
                EXPECT_EQ(contact.rangeCode, truth.milliOhms < 9 ? 1 : 2);
            }
            EXPECT_TRUE(HasShape(r.ResistanceText, contact.rangeCode == 1 ? "d.ddd" : "dd.dd")) << r.ResistanceText;
            EXPECT_NEAR(std::stod(r.ResistanceText), truth.milliOhms, 0.001 * truth.milliOhms + halfDigit);
            EXPECT_NEAR(std::stod(r.VoltageText), truth.volts, 0.001 * truth.volts + 0.0005);
            EXPECT_NEAR(std::stod(r.TemperatureText), truth.celsius, 0.11);
        }
        EXPECT_TRUE(seen.contains({Strap, 1}) && seen.contains({Block, 1}));
        EXPECT_FALSE(seen.contains({Strap, 2}));
        EXPECT_EQ(seen.contains({Block, 2}), date != young) << "aged blocks leave the 4 mOhm range";
    }
}

} // namespace
} // namespace voltaryn::sim
