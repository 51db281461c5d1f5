// Sorting 100,000 cells through the capture engine: each cell is placed on open probes, bounces
// twice, settles over three readings, rests one more and is lifted as the next one comes. The
// readings are made up front, so the figure is the engine's own cost (800,000 readings).
#include "cells/CaptureEngine.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cstdio>
#include <string>
#include <vector>

namespace voltaryn::cells {
namespace {

constexpr int CellCount = 100'000;
constexpr int DistinctCells = 1'000;

std::string Fixed(double value, int decimals)
{
    std::array<char, 16> text{};
    std::snprintf(text.data(), text.size(), "%.*f", decimals, value);
    return text.data();
}

// The readings of DistinctCells cells, one after the other, from a fixed pseudo-random sequence.
std::vector<ProbeReading> CellReadings()
{
    std::vector<ProbeReading> readings;
    unsigned seed = 12345;
    const auto next = [&seed](int span) {
        seed = seed * 1664525u + 1013904223u;
        return static_cast<int>((seed >> 8) % static_cast<unsigned>(span));
    };
    for (int cell = 0; cell < DistinctCells; ++cell) {
        const double milliOhms = 10 + next(7000) * 0.01;
        const std::string volts = Fixed(3.0 + next(1200) * 0.001, 3);
        const auto reading = [&](const std::string& ohms) {
            return ProbeReading{volts, ohms, "400 mOhm", "23.5", "°C", false};
        };
        for (const double factor : {1.3, 1.1})
            readings.push_back(reading(Fixed(milliOhms * factor, 2)));
        for (const double step : {0.0, 0.01, -0.01, 0.0})
            readings.push_back(reading(Fixed(milliOhms + step, 2)));
        readings.push_back({"0.000", "OL", "400 mOhm", "23.5", "°C", false});  // lifted: open probes read 0 V
        readings.push_back(readings.back());
    }
    return readings;
}

void BM_CaptureHundredThousandCells(benchmark::State& state)
{
    const std::vector<ProbeReading> readings = CellReadings();
    const std::size_t perCell = readings.size() / DistinctCells;
    int captures = 0;
    for (auto _ : state) {
        CaptureEngine engine;
        captures = 0;
        ReadingTime now{};
        for (int cell = 0; cell < CellCount; ++cell) {
            const std::size_t first = static_cast<std::size_t>(cell % DistinctCells) * perCell;
            for (std::size_t i = first; i < first + perCell; ++i) {
                now += std::chrono::milliseconds(333);
                captures += engine.Feed(now, readings[i]).Capture ? 1 : 0;
            }
        }
        benchmark::DoNotOptimize(captures);
    }
    if (captures != CellCount)
        state.SkipWithError("not every cell was captured once");
    state.counters["readings"] = static_cast<double>(CellCount * perCell);
}
BENCHMARK(BM_CaptureHundredThousandCells)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace voltaryn::cells
