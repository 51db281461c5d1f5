// The cell bench: its stream of cells, and the simulated meter presenting it through the real
// link, commands, decoder and poll loop.
#include "SimHarness.h"

#include "meter/PollLoop.h"
#include "meter/RangeTexts.h"
#include "sim/CellBench.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

namespace voltaryn::sim {
namespace {

using namespace std::chrono_literals;

const SimTime BenchStart = std::chrono::sys_days{std::chrono::year{2024} / 3 / 15} + 10h;

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
    const CellBench often(7, BenchStart);
    const CellBench seldom(7, BenchStart);
    const CellBench backwards(7, BenchStart);
    for (SimTime t = BenchStart; t < BenchStart + 5min; t += 10ms)
        often.ShownAt(t);

    std::vector<SimTime> moments;
    for (SimTime t = BenchStart - 1s; t < BenchStart + 5min; t += 251ms)
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
    const std::vector<BenchCell> others = CellBench(8, BenchStart).FirstCells(100);
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
        const std::vector<BenchCell> cells = CellBench(seed, BenchStart).FirstCells(2000);
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

// A field's text as a number, "OL" for an overload, which shows no point and so no text.
std::string FieldText(const SimHarness& sim, NumericField field, const std::string& text)
{
    const auto& d = sim.panel.Digits(field);
    return text.empty() ? d[1] + d[2] : text;
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
            EXPECT_EQ(FieldText(sim, NumericField::Resistance, r.ResistanceText), "OL");
            EXPECT_EQ(r.VoltageText, "0.000");
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

} // namespace
} // namespace voltaryn::sim
