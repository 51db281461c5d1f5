// The capture engine over the simulated cell bench, polled as the program polls it.
#include "SimHarness.h"

#include "cells/CaptureEngine.h"
#include "cells/ProbeReading.h"
#include "meter/DisplayUnits.h"
#include "meter/PollLoop.h"
#include "sim/CellBench.h"

#include <gtest/gtest.h>

#include <optional>
#include <tuple>

namespace voltaryn::sim {
namespace {

using namespace std::chrono_literals;

// One letter per pass of the first 300, on the sorting stream and on a recheck: C captured,
// U unstable contact, L lifted too early; what the bench made each pass, and what the engine told
// of it on the poll loop's 100 ms ticks.
TEST(BenchCapture, EveryCellIsCapturedOrToldAsTheBenchMadeIt)
{
    const std::tuple<std::uint64_t, std::optional<int>> cases[] = {{3, std::nullopt}, {7, std::nullopt}, {7, 14}};
    for (const auto& [seed, daysStored] : cases) {
        SCOPED_TRACE(testing::Message() << "seed " << seed << (daysStored ? ", a recheck" : ""));
        SimHarness sim;
        sim.meter.SetCellBench(seed, daysStored);
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
        EXPECT_GE(std::ranges::count(made, 'U'), 3);
        EXPECT_GE(std::ranges::count(made, 'L'), 3);
    }
}

} // namespace
} // namespace voltaryn::sim
