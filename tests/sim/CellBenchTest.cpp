// The cell bench: its stream of cells, and the simulated meter presenting it through the real
// link, commands, decoder and poll loop to the capture engine.
#include "SimHarness.h"

#include "cells/CaptureEngine.h"
#include "cells/ProbeReading.h"
#include "meter/DisplayUnits.h"
#include "meter/PollLoop.h"
#include "meter/RangeTexts.h"
#include "sim/CellBench.h"
#include "sim/StoredLot.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>
#include <tuple>

namespace voltaryn::sim {
namespace {

using namespace std::chrono_literals;

auto Fields(const BenchCell& c)
{
    return std::tuple(c.volts, c.milliOhms, c.event, c.rangeBefore, c.rangeCode, c.opened, c.placed, c.steady,
                      c.turned, c.onRange, c.lifted);
}

auto Fields(const BatterySample& s) { return std::tuple(s.volts, s.ohms, s.celsius); }

// The display shows a new reading at every refresh; number `k` from the bench's start.
SimTime Refresh(const CellBench& bench, std::int64_t k) { return bench.Start() + k * DisplayRefresh; }

// The same seed gives the same cells and readings whether it is asked every 10 ms, only at the
// moments compared, or backwards from the end; another seed gives other cells.
TEST(CellBench, TheSeedAndTheTimeAloneDecideTheStream)
{
    const CellBench often(7, DemoStart);
    const CellBench seldom(7, DemoStart);
    const CellBench backwards(7, DemoStart);
    for (SimTime t = DemoStart; t < DemoStart + 5min; t += 10ms)
        often.ShownAt(t);

    std::vector<SimTime> moments;
    for (SimTime t = DemoStart - 1s; t < DemoStart + 5min; t += 251ms)
        moments.push_back(t);
    std::map<SimTime, BatterySample> askedBackwards;
    for (auto t = moments.rbegin(); t != moments.rend(); ++t)
        askedBackwards[*t] = backwards.ShownAt(*t);
    for (const SimTime t : moments) {
        EXPECT_EQ(Fields(often.ShownAt(t)), Fields(seldom.ShownAt(t)));
        EXPECT_EQ(Fields(often.ShownAt(t)), Fields(askedBackwards[t]));
        EXPECT_EQ(often.RangeCodeAt(t), backwards.RangeCodeAt(t));
    }

    const std::vector<BenchCell> cells = seldom.FirstCells(100);
    const std::vector<BenchCell> planned = often.FirstCells(100);
    const std::vector<BenchCell> others = CellBench(8, DemoStart).FirstCells(100);
    int same = 0;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        EXPECT_EQ(Fields(cells[i]), Fields(planned[i]));
        EXPECT_EQ(Fields(cells[i]), Fields(often.CellAt(cells[i].placed)));
        same += cells[i].volts == others[i].volts || cells[i].lifted == others[i].lifted;
    }
    EXPECT_EQ(same, 0);
}

double Share(const std::vector<BenchCell>& cells, const std::function<bool(const BenchCell&)>& counted)
{
    return static_cast<double>(std::ranges::count_if(cells, counted)) / static_cast<double>(cells.size());
}

double Seconds(SimTime::duration d) { return std::chrono::duration<double>(d).count(); }

// 2000 cells of a few seeds hold the advertised mix, each of its steps as long as promised.
TEST(CellBench, TheMixHasItsProportionsAndRanges)
{
    using Cell = const BenchCell&;
    const std::tuple<const char*, bool (*)(Cell), double, double> shares[] = {  // what, which cells, share range
        {"bad contacts", [](Cell c) { return c.event == CellEvent::BadContact; }, 0.015, 0.05},
        {"early lifts", [](Cell c) { return c.event == CellEvent::EarlyLift; }, 0.015, 0.05},
        {"range turns", [](Cell c) { return c.RangeTurned(); }, 0.015, 0.08},
        {"dead cells", [](Cell c) { return c.volts < 2.5; }, 0.01, 0.06},
        {"at shipping charge", [](Cell c) { return c.volts >= 3.5 && c.volts <= 3.7; }, 0.85, 0.95},
        {"below 25 mOhm", [](Cell c) { return c.milliOhms <= 25; }, 0.30, 0.42},
        {"below 60 mOhm", [](Cell c) { return c.milliOhms <= 60; }, 0.88, 0.95},
    };
    for (const std::uint64_t seed : {1u, 2u, 99u}) {
        SCOPED_TRACE(seed);
        const std::vector<BenchCell> cells = CellBench(seed, DemoStart).FirstCells(2000);
        for (const auto& [what, counted, low, high] : shares) {
            const double found = Share(cells, counted);
            EXPECT_TRUE(found >= low && found <= high) << what << ": " << found;
        }
        std::vector<double> milliOhms;
        for (const BenchCell& c : cells) {
            milliOhms.push_back(c.milliOhms);
            EXPECT_TRUE(c.volts >= 2.0 && c.volts <= 4.2) << c.volts;
            EXPECT_TRUE(Seconds(c.placed - c.opened) >= 0.5 && Seconds(c.placed - c.opened) <= 1.5);
            const auto bounces = (c.steady - c.placed) / DisplayRefresh;
            EXPECT_TRUE(bounces >= 1 && bounces <= 3) << bounces;
            const double held = Seconds(c.lifted - c.onRange);
            if (c.event == CellEvent::Normal) {
                EXPECT_TRUE(held >= 1 && held <= 3) << held;
            }
            if (c.event == CellEvent::EarlyLift) {
                EXPECT_LT(held, Seconds(DisplayRefresh));
            }
        }
        std::ranges::nth_element(milliOhms, milliOhms.begin() + 1000);
        EXPECT_NEAR(milliOhms[1000], 30, 2);
    }
}

// Every refresh of the first 60 cells, decoded by the program: "OL" and 0 V while the probes are
// open, the cell's values within 0.1 % (and half a digit) while settled, on the range the bench
// turned to; a bad contact's resistance moves by more than 0.5 % at every refresh.
TEST(CellBenchDisplay, TheDecoderReadsOverloadWhileOpenAndTheCellWhenSettled)
{
    SimHarness sim;
    sim.meter.SetCellBench(3);
    const CellBench& bench = *sim.meter.Bench();
    const SimTime end = bench.FirstCells(60).back().lifted;
    std::map<ProbePhase, int> seen;
    double drifted = 0;
    for (std::int64_t k = 0; Refresh(bench, k) < end; ++k) {
        sim.now = Refresh(bench, k);
        const BenchCell cell = bench.CellAt(sim.now);
        const ProbePhase phase = cell.PhaseAt(sim.now);
        ++seen[phase];
        const MeterReading& r = sim.Poll();
        SCOPED_TRACE(testing::Message() << "cell " << cell.index << " at refresh " << k);
        EXPECT_EQ(sim.meter.RangeCode(), bench.RangeCodeAt(sim.now));
        if (phase == ProbePhase::Open) {
            const auto& digits = sim.panel.Digits(NumericField::Resistance);  // an overload shows no point and so no text
            EXPECT_EQ(std::tuple(r.ResistanceText, digits[1] + digits[2], r.VoltageText), std::tuple("", "OL", "0.000"));
        }
        if (phase == ProbePhase::Settled) {
            const double unit = sim.Lit(StatusBit::LcdOhmm) ? 1 : 1000;
            const double halfDigit = 0.5 * std::pow(10.0, cell.rangeCode - 4);  // mOhm
            EXPECT_EQ(sim.meter.RangeCode(), cell.rangeCode);
            EXPECT_NEAR(std::stod(r.VoltageText), cell.volts, 0.001 * cell.volts + 0.0005);
            EXPECT_NEAR(std::stod(r.ResistanceText) * unit, cell.milliOhms, 0.001 * cell.milliOhms + halfDigit);
        }
        if (phase == ProbePhase::Drifting && !r.ResistanceText.empty()) {  // drifted into overload
            const double ohms = std::stod(r.ResistanceText);
            if (cell.PhaseAt(Refresh(bench, k - 1)) == ProbePhase::Drifting) {
                EXPECT_GT(std::abs(ohms - drifted), 0.005 * ohms);
            }
            drifted = ohms;
        }
    }
    for (const ProbePhase phase : {ProbePhase::Open, ProbePhase::Bounce, ProbePhase::Settled, ProbePhase::Drifting})
        EXPECT_GT(seen[phase], 0) << static_cast<int>(phase);
}

// The poll loop's 100 ms ticks over a cell for which the bench turns the switch: the range query
// reports the old range until the turn and the new one after it, and once on the new range the
// resistance shows with its decimals.
TEST(CellBenchDisplay, ARangeTurnReachesThePollLoop)
{
    SimHarness sim;
    sim.meter.SetCellBench(1);
    const CellBench& bench = *sim.meter.Bench();
    const std::vector<BenchCell> cells = bench.FirstCells(400);
    const auto turn = std::ranges::find_if(
        cells, [](const BenchCell& c) { return c.RangeTurned() && c.event == CellEvent::Normal; });
    ASSERT_NE(turn, cells.end());
    const char* shapes[] = {"d.ddd", "dd.dd", "ddd.d"};

    PollLoop poll(sim.link, sim.commands, sim.reading);
    int changes = 0;
    for (sim.now = turn->placed; sim.now < turn->lifted; sim.now += 100ms) {
        const PollTickResult tick = poll.Tick();
        changes += tick.rangeChanged;
        if (!tick.displayDecoded)
            continue;
        const bool rangeRead = sim.now - 100ms >= turn->turned;  // the query of the tick before
        EXPECT_EQ(sim.reading.RangeCode, rangeRead ? turn->rangeCode : turn->rangeBefore);
        if (sim.now >= turn->onRange + DisplayRefresh) {
            EXPECT_TRUE(HasShape(sim.reading.ResistanceText, shapes[turn->rangeCode - 1]))
                << sim.reading.ResistanceText;
        }
    }
    EXPECT_EQ(sim.reading.RangeText, RangeTexts[static_cast<std::size_t>(turn->rangeCode - 1)]);
    EXPECT_EQ(changes, 2);  // the first display, then the turn
}

// One letter per pass of the first 300, on the sorting stream, on a recheck and along a battery
// string (its straps a few mV and µOhm): C captured, U unstable contact, L lifted too early; what
// the bench made each pass, and what the engine told of it on the poll loop's 100 ms ticks.
TEST(BenchCapture, EveryCellIsCapturedOrToldAsTheBenchMadeIt)
{
    const std::tuple<const char*, void (*)(SimulatedMeter&)> cases[] = {
        {"seed 3", [](SimulatedMeter& meter) { meter.SetCellBench(3); }},
        {"seed 7", [](SimulatedMeter& meter) { meter.SetCellBench(7); }},
        {"seed 7, a recheck", [](SimulatedMeter& meter) { meter.SetCellBench(7, 14); }},
        {"string 7", [](SimulatedMeter& meter) { meter.SetStringBench(7, DefaultStringBlocks); }},
    };
    for (const auto& [what, putOnProbes] : cases) {
        SCOPED_TRACE(what);
        SimHarness sim;
        putOnProbes(sim.meter);
        const CellBench& bench = *sim.meter.Bench();
        const std::vector<BenchCell> cells = bench.FirstCells(300);
        std::string made;
        for (const BenchCell& cell : cells)
            made += cell.event == CellEvent::Normal ? 'C' : cell.event == CellEvent::BadContact ? 'U' : 'L';

        PollLoop poll(sim.link, sim.commands, sim.reading);
        cells::CaptureEngine engine;
        const SimTime start = sim.now;
        std::string told;
        for (; sim.now < cells.back().lifted + 1s; sim.now += 100ms) {
            if (!poll.Tick().displayDecoded)
                continue;
            const auto since = std::chrono::duration_cast<cells::ReadingTime>(sim.now - start);
            const cells::CaptureStep step = engine.Feed(since, cells::ReadProbes(sim.reading, WordsShown(poll.Display().lit)));
            if (step.Capture)
                told += 'C';
            if (step.Problem != cells::CaptureProblem::None)
                told += step.Problem == cells::CaptureProblem::UnstableContact ? 'U' : 'L';
        }
        EXPECT_EQ(told, made);
        EXPECT_TRUE(std::ranges::count(made, 'U') >= 3 && std::ranges::count(made, 'L') >= 3) << made;
    }
}

// The cells the sorting stream stored: those of its settled passes, in their order.
std::vector<BenchCell> StoredCells(std::uint64_t seed, int passes)
{
    std::vector<BenchCell> stored;
    std::ranges::copy_if(CellBench(seed, DemoStart).FirstCells(passes), std::back_inserter(stored),
                         [](const BenchCell& c) { return c.event == CellEvent::Normal; });
    return stored;
}

// Pass by pass, the recheck presents the stored cells in their order, each lower by its own rate
// times the days, with its resistance; a pass that does not settle leaves its cell for the next.
// The same seed and days give the same recheck from any start.
TEST(Recheck, PresentsTheStoredCellsInTheirOrderLowerByTheirSelfDischarge)
{
    const std::tuple<std::uint64_t, int> cases[] = {{7, 14}, {3, 1}, {99, 365}, {7, LongestStorageDays}};
    for (const auto& [seed, days] : cases) {
        SCOPED_TRACE(testing::Message() << "seed " << seed << ", " << days << " days");
        const std::vector<BenchCell> stored = StoredCells(seed, 800);
        const SimTime start = DemoStart + std::chrono::days{days};
        const std::vector<BenchCell> passes = CellBench(seed, start, days).FirstCells(400);
        const std::vector<BenchCell> again = CellBench(seed, start + 1h, days).FirstCells(400);
        int place = 0;
        int failed = 0;
        for (std::size_t i = 0; i < passes.size(); ++i) {
            const BenchCell& pass = passes[i];
            SCOPED_TRACE(testing::Message() << "pass " << i);
            ASSERT_EQ(pass.trayPlace, place);
            const BenchCell& cell = stored[static_cast<std::size_t>(place)];
            const double volts = cell.volts + SelfDischargeRate(seed, place) * days / 1000;
            EXPECT_DOUBLE_EQ(pass.volts, std::max(volts, 0.0));
            EXPECT_EQ(pass.milliOhms, cell.milliOhms);
            EXPECT_EQ(std::tuple(pass.trayPlace, pass.volts, pass.event, pass.rangeCode, pass.lifted - start),
                      std::tuple(again[i].trayPlace, again[i].volts, again[i].event, again[i].rangeCode,
                                 again[i].lifted - start - 1h));
            if (pass.event == CellEvent::Normal)
                ++place;
            else
                ++failed;
        }
        EXPECT_GE(failed, 8) << "contact trouble happens on the recheck too";
    }
}

// Over 10,000 cells of a few lots, each rate lies in one of its two bands, the fast one holding
// 2 to 4 % of the cells; the same cell of the same lot always loses at the same rate.
TEST(Recheck, SelfDischargeRatesFallIntoTheirBands)
{
    struct Band {
        const char* what;
        double fastest;
        double slowest;  // mV/day
        double lowShare;
        double highShare;
    };
    const Band bands[] = {{"soft shorts", -60, -10, 0.02, 0.04}, {"healthy cells", -2, -0.2, 0.96, 0.98}};
    constexpr int Cells = 10000;
    for (const std::uint64_t seed : {1u, 7u, 99u}) {
        SCOPED_TRACE(seed);
        std::vector<double> rates;
        for (int place = 0; place < Cells; ++place)
            rates.push_back(SelfDischargeRate(seed, place));
        int banded = 0;
        for (const Band& band : bands) {
            const auto inBand = std::ranges::count_if(
                rates, [&band](double rate) { return rate >= band.fastest && rate <= band.slowest; });
            banded += static_cast<int>(inBand);
            const double share = static_cast<double>(inBand) / Cells;
            EXPECT_TRUE(share >= band.lowShare && share <= band.highShare) << band.what << ": " << share;
        }
        EXPECT_EQ(banded, Cells) << "every rate lies in a band";
        EXPECT_EQ(SelfDischargeRate(seed, 42), rates[42]);
        EXPECT_NE(SelfDischargeRate(seed + 1, 42), rates[42]);
    }
}

} // namespace
} // namespace voltaryn::sim
