// The pack builder against the snake baseline, and the statistics of a large lot. The counters
// show each pack's capacity spread (mAh) and resistance spread (mOhm) next to the snake's.
// Targets: 20S80P from 1,700 cells within 2 s and a capacity spread of at most 1 mAh; 13S4P from
// 60 cells within 0.2 s and within 1 mAh of the best spread a minute's search finds (run with
// VOLTARYN_PACK_REFERENCE=1 for that minute); the statistics of 100,000 cells within 50 ms, and
// their self-discharge verdicts within 100 ms.
#include "cells/BatchStatistics.h"
#include "cells/PackBuilder.h"
#include "cells/SelfDischarge.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <random>

namespace voltaryn::cells {
namespace {

// A lot of new cells: capacity 3000 mAh with a 2 % standard deviation, resistance 20 ± 1.5 mOhm.
std::vector<PackCell> Lot(std::size_t count)
{
    std::mt19937_64 rng(2024);
    std::normal_distribution<double> capacity(3000, 60);
    std::normal_distribution<double> resistance(20, 1.5);
    std::normal_distribution<double> voltage(3.6, 0.01);
    std::vector<PackCell> cells;
    for (std::size_t i = 0; i < count; ++i)
        cells.push_back({"C" + std::to_string(i), capacity(rng), resistance(rng), voltage(rng), "A"});
    return cells;
}

void BuildAgainstSnake(benchmark::State& state, std::size_t count, int series, int parallel, PackObjective objective)
{
    const std::vector<PackCell> cells = Lot(count);
    const PackRequest request{series, parallel, {}, objective, {}};
    Pack pack;
    for (auto _ : state)
        pack = *BuildPack(cells, request).pack;
    const Pack snake = *BuildSnakePack(cells, request).pack;
    state.counters["capacitySpread"] = pack.capacitySpread;
    state.counters["snakeCapacitySpread"] = snake.capacitySpread;
    state.counters["resistanceSpread"] = pack.resistanceSpread;
    state.counters["snakeResistanceSpread"] = snake.resistanceSpread;
}

void BM_Pack20S80PFrom1700Balanced(benchmark::State& state)
{
    BuildAgainstSnake(state, 1700, 20, 80, PackObjective::Balanced);
}
BENCHMARK(BM_Pack20S80PFrom1700Balanced)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_Pack20S80PFrom1700Capacity(benchmark::State& state)
{
    BuildAgainstSnake(state, 1700, 20, 80, PackObjective::Capacity);
}
BENCHMARK(BM_Pack20S80PFrom1700Capacity)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_Pack13S4PFrom60Balanced(benchmark::State& state)
{
    BuildAgainstSnake(state, 60, 13, 4, PackObjective::Balanced);
}
BENCHMARK(BM_Pack13S4PFrom60Balanced)->Unit(benchmark::kMillisecond);

void BM_Pack13S4PFrom60Capacity(benchmark::State& state)
{
    BuildAgainstSnake(state, 60, 13, 4, PackObjective::Capacity);
}
BENCHMARK(BM_Pack13S4PFrom60Capacity)->Unit(benchmark::kMillisecond);

// The best capacity spread of a minute's searches, one seed after another.
void BM_Pack13S4PFrom60CapacityMinuteReference(benchmark::State& state)
{
    if (std::getenv("VOLTARYN_PACK_REFERENCE") == nullptr) {
        state.SkipWithError("set VOLTARYN_PACK_REFERENCE=1 to spend a minute on the reference");
        return;
    }
    const std::vector<PackCell> cells = Lot(60);
    const PackRequest request{13, 4, {}, PackObjective::Capacity, {}};
    double best = BuildPack(cells, request).pack->capacitySpread;
    for (auto _ : state) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        for (std::uint64_t seed = 2; std::chrono::steady_clock::now() < end && best > 0; ++seed) {
            PackSearchOptions options;
            options.seed = seed;
            options.maxMoves = 400'000'000;
            options.timeBudget = std::chrono::seconds(5);
            best = std::min(best, BuildPack(cells, request, options).pack->capacitySpread);
        }
    }
    state.counters["capacitySpread"] = best;
}
BENCHMARK(BM_Pack13S4PFrom60CapacityMinuteReference)->Unit(benchmark::kSecond)->Iterations(1);

void BM_StatisticsOf100000Cells(benchmark::State& state)
{
    std::vector<BatchCell> cells;
    for (const PackCell& cell : Lot(100'000))
        cells.push_back({cell.resistance < 22 ? "A" : "B", cell.voltage, cell.resistance, cell.capacity});
    for (auto _ : state)
        benchmark::DoNotOptimize(ComputeBatchStatistics(cells, {25.0, 3.5, 3.7}));
}
BENCHMARK(BM_StatisticsOf100000Cells)->Unit(benchmark::kMillisecond);

// A lot rechecked after two to four weeks, losing 1 ± 0.3 mV a day: one cell in a hundred leaks
// at 5 to 20 mV a day, one in fifty was rechecked a week early, one in a hundred not at all.
void BM_JudgeSelfDischarge100k(benchmark::State& state)
{
    using namespace std::chrono;
    std::mt19937_64 rng(7);
    std::normal_distribution<double> voltage(3.6, 0.01);
    std::normal_distribution<double> rate(-1, 0.3);
    std::uniform_real_distribution<double> unit(0, 1);
    const system_clock::time_point start = sys_days{2024y / March / 1};
    std::vector<CellRecheck> cells;
    for (std::size_t i = 0; i < 100'000; ++i) {
        const double days = i % 50 == 0 ? 7 : 14 + 14 * unit(rng);
        const double mvPerDay = i % 100 == 1 ? -5 - 15 * unit(rng) : rate(rng);
        const VoltageReading reference{voltage(rng), start + seconds(i), 22.0};
        const auto later = reference.at + round<system_clock::duration>(duration<double, days::period>(days));
        CellRecheck& cell = cells.emplace_back(CellRecheck{reference, std::nullopt});
        if (i % 100 != 2)
            cell.recheck = VoltageReading{reference.voltage + mvPerDay * days / 1000, later, 23.5};
    }
    SelfDischargeLot lot;
    for (auto _ : state)
        benchmark::DoNotOptimize(lot = JudgeSelfDischarge(cells, {}));
    state.counters["suspects"] = static_cast<double>(lot.suspects);
    state.counters["early"] = static_cast<double>(lot.early);
}
BENCHMARK(BM_JudgeSelfDischarge100k)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace voltaryn::cells
