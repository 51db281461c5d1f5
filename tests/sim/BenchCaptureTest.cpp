// The capture engine over the simulated cell bench, polled as the program polls it.
#include "SimHarness.h"

#include "cells/CaptureEngine.h"
#include "cells/ProbeReading.h"
#include "meter/DisplayUnits.h"
#include "meter/PollLoop.h"
#include "sim/CellBench.h"

#include <gtest/gtest.h>

namespace voltaryn::sim {
namespace {

using namespace std::chrono_literals;

// One letter per cell of the first 300: C captured, U unstable contact, L lifted too early; what
// the bench made each cell, and what the engine told of it on the poll loop's 100 ms ticks.
TEST(BenchCapture, EveryCellIsCapturedOrToldAsTheBenchMadeIt)
{
    for (const std::uint64_t seed : {3u, 7u}) {
        SimHarness sim;
        sim.meter.SetCellBench(seed);
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
        EXPECT_EQ(told, made) << "seed " << seed;
        EXPECT_GE(std::ranges::count(made, 'U'), 3) << "seed " << seed;
        EXPECT_GE(std::ranges::count(made, 'L'), 3) << "seed " << seed;
    }
}

} // namespace
} // namespace voltaryn::sim
