// The simulated battery string: what it is at any date, and the walk of the probes along it
// through the real link, commands and decoder.
#include "SimHarness.h"

#include "sim/BatteryString.h"
#include "sim/CellBench.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <set>
#include <stdexcept>
#include <tuple>
#include <vector>

namespace voltaryn::sim {
namespace {

using namespace std::chrono_literals;
using std::chrono::years;

constexpr StringPlace Block(int walk, int number) { return {walk, StringPart::Block, number}; }
constexpr StringPlace Strap(int walk, int number) { return {walk, StringPart::Strap, number}; }

std::vector<BenchCell> Contacts(std::uint64_t seed, int blocks, SimTime start, int count)
{
    return CellBench(BatteryString(seed, blocks), start).FirstCells(count);
}

// The places a walk settles on, as a technician walks them: every block, and every strap but
// those the string says are skipped in that walk.
std::vector<StringPlace> ExpectedWalk(const BatteryString& string, int walk)
{
    std::vector<StringPlace> places;
    for (int n = 1; n <= string.Blocks(); ++n) {
        places.push_back(Block(walk, n));
        if (n < string.Blocks() && !string.StrapSkipped(walk, n))
            places.push_back(Strap(walk, n));
    }
    return places;
}

// Contact after contact, the probes settle on block 1, strap 1, block 2, ... block N, then block 1
// of the next walk, skipping the straps the string names; a contact that does not settle is
// repeated at its place. Over these walks some straps are skipped, but only a few.
TEST(StringWalk, GoesBlockStrapBlockAndSkipsTheStrapsTheStringNames)
{
    const std::tuple<std::uint64_t, int, int> cases[] = {{1, 24, 900}, {7, 5, 400}, {3, 2, 200}, {9, 1, 60}};
    int skipped = 0;
    int straps = 0;
    int retried = 0;
    for (const auto& [seed, blocks, count] : cases) {
        SCOPED_TRACE(::testing::Message() << "seed " << seed << ", " << blocks << " blocks");
        const BatteryString string(seed, blocks);
        const std::vector<BenchCell> contacts = Contacts(seed, blocks, DemoStart, count);
        std::vector<StringPlace> settled;
        for (std::size_t i = 0; i < contacts.size(); ++i) {
            ASSERT_TRUE(contacts[i].stringPlace);
            if (contacts[i].event == CellEvent::Normal)
                settled.push_back(*contacts[i].stringPlace);
            else if (i + 1 < contacts.size()) {
                EXPECT_EQ(contacts[i + 1].stringPlace, contacts[i].stringPlace) << "contact " << i;
                ++retried;
            }
        }
        std::vector<StringPlace> expected;
        for (int walk = 0; std::ssize(expected) < std::ssize(settled); ++walk) {
            const std::vector<StringPlace> places = ExpectedWalk(string, walk);
            expected.insert(expected.end(), places.begin(), places.end());
            straps += blocks - 1;
            skipped += blocks - 1 - static_cast<int>(std::ranges::count(places, StringPart::Strap, &StringPlace::part));
        }
        expected.resize(settled.size());
        EXPECT_EQ(settled, expected);
    }
    EXPECT_TRUE(skipped > 0 && skipped < straps / 10) << skipped << " of " << straps;
    EXPECT_GT(retried, 10);
}

// A string and its parts over many seeds, new and six years on: every part in its band, the aged
// blocks and loose straps as many as promised.
TEST(StringParts, LieInTheirBandsAndTheAgedAndLooseAreFew)
{
    const SimTime installed = StringInstalled;
    struct Counts {
        int aged = 0, loose = 0, warm = 0;
    };
    for (const int blocks : {24, 1000}) {
        for (std::uint64_t seed = 1; seed <= 20; ++seed) {
            SCOPED_TRACE(::testing::Message() << "seed " << seed << ", " << blocks << " blocks");
            const BatteryString string(seed, blocks);
            Counts counts;
            double coolest = 99;
            for (int n = 1; n <= blocks; ++n) {
                const StringPartValues now = string.ValuesAt(Block(0, n), installed);
                const double rate = string.AgeingPerYear(n);
                EXPECT_TRUE(now.volts >= 13.4 && now.volts <= 13.8) << n << ": " << now.volts;
                EXPECT_TRUE(now.milliOhms >= 4 && now.milliOhms <= 6) << n << ": " << now.milliOhms;
                EXPECT_TRUE(string.Aged(n) ? rate >= 0.15 && rate <= 0.25 : rate >= 0.005 && rate <= 0.03) << n;
                const bool warm = string.WarmBlock() == n;
                EXPECT_TRUE(warm ? now.celsius >= 27 && now.celsius <= 31 : now.celsius >= 23 && now.celsius <= 25)
                    << n << ": " << now.celsius;
                counts.aged += string.Aged(n);
                counts.warm += warm;
                coolest = std::min(coolest, now.celsius);
            }
            for (int n = 1; n < blocks; ++n) {
                const StringPartValues strap = string.ValuesAt(Strap(0, n), installed + years{6});
                EXPECT_TRUE(strap.volts > 0 && strap.volts < 0.005) << n << ": " << strap.volts;
                const auto [low, high] = string.Loose(n) ? std::pair(0.150, 0.300) : std::pair(0.030, 0.080);
                EXPECT_TRUE(strap.milliOhms >= low && strap.milliOhms <= high) << n << ": " << strap.milliOhms;
                counts.loose += string.Loose(n);
            }
            const int agedLeast = blocks / 12;
            EXPECT_TRUE(counts.aged >= agedLeast && counts.aged <= agedLeast + 1) << counts.aged;
            EXPECT_TRUE(counts.loose >= 1 && counts.loose <= 2) << counts.loose;
            EXPECT_LE(counts.warm, 1);
        }
    }
    EXPECT_THROW(BatteryString(1, 0), std::invalid_argument);
    EXPECT_THROW(BatteryString(1, MostStringBlocks + 1), std::invalid_argument);
}

// A block's resistance against its reading some years before: an aged block crosses +30 % within
// two years and +50 % within three of any baseline; the others stay within a few per cent. Before
// its installation the string reads as new.
TEST(StringParts, BlocksAgeWithTheDate)
{
    struct Row {
        int baselineYear;
        int years;
        double agedLow, agedHigh;    // change against the baseline, aged blocks
        double otherLow, otherHigh;  // the others
    };
    const Row rows[] = {
        {2021, 1, 0.15, 0.25, 0.005, 0.03},
        {2022, 2, 0.30, 0.57, 0.01, 0.061},
        {2023, 3, 0.52, 0.96, 0.015, 0.093},
    };
    for (std::uint64_t seed : {1u, 5u, 42u}) {
        const BatteryString string(seed, 24);
        for (const Row& row : rows) {
            const SimTime baseline = std::chrono::sys_days{std::chrono::year{row.baselineYear} / 6 / 1};
            for (int n = 1; n <= 24; ++n) {
                SCOPED_TRACE(::testing::Message() << "seed " << seed << ", block " << n << " from " << row.baselineYear);
                const double change = string.ValuesAt(Block(0, n), baseline + years{row.years}).milliOhms
                                          / string.ValuesAt(Block(0, n), baseline).milliOhms - 1;
                const auto [low, high] = string.Aged(n) ? std::pair(row.agedLow, row.agedHigh)
                                                        : std::pair(row.otherLow, row.otherHigh);
                EXPECT_TRUE(change >= low && change <= high) << change;
            }
        }
        EXPECT_EQ(string.ValuesAt(Block(0, 3), StringInstalled - years{2}).milliOhms,
                  string.ValuesAt(Block(0, 3), StringInstalled).milliOhms);
    }
}

auto ContactFields(const BenchCell& c)
{
    return std::tuple(c.stringPlace.value(), c.volts, c.milliOhms, c.event, c.rangeBefore, c.rangeCode,
                      c.opened - DemoStart, c.lifted - DemoStart);
}

// The same seed walks the same string the same way; another seed another string. Started a year
// later, the walk goes the same way along the same string, each block a year older.
TEST(StringWalk, TheSeedAndTheDateDecideTheWalk)
{
    const std::vector<BenchCell> walk = Contacts(7, 24, DemoStart, 300);
    const std::vector<BenchCell> again = Contacts(7, 24, DemoStart, 300);
    const std::vector<BenchCell> other = Contacts(8, 24, DemoStart, 300);
    const std::vector<BenchCell> later = Contacts(7, 24, DemoStart + years{1}, 300);
    const BatteryString string(7, 24);
    int differ = 0;
    for (std::size_t i = 0; i < walk.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(ContactFields(walk[i]), ContactFields(again[i]));
        differ += walk[i].milliOhms != other[i].milliOhms;
        const StringPlace place = *walk[i].stringPlace;
        ASSERT_EQ(std::tuple(later[i].stringPlace.value(), later[i].event), std::tuple(place, walk[i].event));
        const double ageing = place.part == StringPart::Block ? string.AgeingPerYear(place.number) : 0;
        EXPECT_NEAR(later[i].milliOhms / walk[i].milliOhms, 1 + ageing, 1e-5);
    }
    EXPECT_GT(differ, 290);
}

// Every refresh of the first 150 contacts, a year and nine years after installation, decoded by
// the program: a settled strap shows a few mV and its µOhm on the 4 mOhm range (1 µOhm digits), a
// settled block its float voltage and resistance on the lowest range that holds it (4 mOhm while
// young, 40 mOhm once aged past 9 mOhm), each within 0.1 % and half a digit; the temperature is
// that of the part's post.
TEST(StringWalkDisplay, TheDecoderReadsStrapsAndBlocksOnTheirRanges)
{
    const SimTime young = StringInstalled + years{1};
    for (const SimTime date : {young, young + years{8}}) {
        SimHarness sim;
        sim.now = date;
        sim.meter.SetStringBench(3, 24);
        const CellBench& bench = *sim.meter.Bench();
        const BatteryString& string = *bench.String();
        const SimTime end = bench.FirstCells(150).back().lifted;
        std::set<std::tuple<StringPart, int>> seen;  // part and range
        for (SimTime t = date; t < end; t += DisplayRefresh) {
            sim.now = t;
            const BenchCell contact = bench.CellAt(t);
            const MeterReading& r = sim.Poll();
            if (contact.PhaseAt(t) != ProbePhase::Settled)
                continue;
            const StringPlace place = *contact.stringPlace;
            SCOPED_TRACE(::testing::Message() << (place.part == StringPart::Block ? "block " : "strap ") << place.number);
            const StringPartValues truth = string.ValuesAt(place, contact.opened);
            const double halfDigit = 0.5 * std::pow(10.0, contact.rangeCode - 4);  // mOhm
            seen.emplace(place.part, sim.meter.RangeCode());
            EXPECT_EQ(sim.meter.RangeCode(), contact.rangeCode);
            EXPECT_TRUE(HasShape(r.ResistanceText, contact.rangeCode == 1 ? "d.ddd" : "dd.dd")) << r.ResistanceText;
            if (truth.milliOhms < 9 || truth.milliOhms > 9.2) {
                EXPECT_EQ(contact.rangeCode, truth.milliOhms < 9 ? 1 : 2) << truth.milliOhms;
            }
            EXPECT_NEAR(std::stod(r.ResistanceText), truth.milliOhms, 0.001 * truth.milliOhms + halfDigit);
            EXPECT_NEAR(std::stod(r.VoltageText), truth.volts, 0.001 * truth.volts + 0.0005);
            EXPECT_NEAR(std::stod(r.TemperatureText), truth.celsius, 0.11);
        }
        EXPECT_TRUE(seen.contains({StringPart::Strap, 1}) && seen.contains({StringPart::Block, 1}));
        EXPECT_FALSE(seen.contains({StringPart::Strap, 2}));
        EXPECT_EQ(seen.contains({StringPart::Block, 2}), date != young) << "aged blocks leave the 4 mOhm range";
    }
}

} // namespace
} // namespace voltaryn::sim
