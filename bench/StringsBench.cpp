// A 500-block string with its straps, inspected quarterly for five years: every inspection's
// verdicts and every block's trend and forecast. Target: within 50 ms.
#include "strings/Trend.h"
#include "strings/Verdicts.h"

#include <benchmark/benchmark.h>

#include <random>

namespace voltaryn::strings {
namespace {

using namespace std::chrono;

constexpr int Blocks = 500;
constexpr int Inspections = 20;

const StringLayout Layout{Blocks, 12, Chemistry::Vrla, 6, true, sys_days{2020y / January / 10}};

// New blocks of 4-6 mOhm, one in ten ageing 10-30 % a year and the rest 1-3 %; straps of 30-80 µΩ.
std::vector<InspectionRecord> History()
{
    std::mt19937_64 rng(2024);
    std::uniform_real_distribution<double> fresh(4, 6);
    std::uniform_real_distribution<double> slow(0.01, 0.03);
    std::uniform_real_distribution<double> fast(0.10, 0.30);
    std::uniform_real_distribution<double> strap(0.030, 0.080);
    std::normal_distribution<double> noise(0, 0.01);
    std::normal_distribution<double> volts(13.6, 0.08);
    std::normal_distribution<double> celsius(24, 0.3);
    std::vector<double> start(Blocks);
    std::vector<double> ageing(Blocks);
    std::vector<double> straps(Blocks - 1);
    for (int b = 0; b < Blocks; ++b) {
        start[b] = fresh(rng);
        ageing[b] = b % 10 == 3 ? fast(rng) : slow(rng);
    }
    for (double& s : straps)
        s = strap(rng);
    std::vector<InspectionRecord> history;
    for (int i = 0; i < Inspections; ++i) {
        const sys_days date = *Layout.installed + days{30 + 91 * i};
        const double years = (date - *Layout.installed).count() / 365.2425;
        InspectionRecord inspection{i + 1, date, 23.0, {}, {}};
        for (int b = 0; b < Blocks; ++b)
            inspection.blocks.emplace_back(Reading{volts(rng), start[b] * (1 + ageing[b] * years) * (1 + noise(rng)), celsius(rng)});
        for (const double s : straps)
            inspection.straps.emplace_back(Reading{0.002, s * (1 + noise(rng)), std::nullopt});
        history.push_back(std::move(inspection));
    }
    return history;
}

void BM_StringVerdictsAndForecasts500Blocks20Inspections(benchmark::State& state)
{
    const std::vector<InspectionRecord> history = History();
    const PolicySet policies = DefaultPolicies();
    const ChangeLimits limits = *BaselineLimits(policies);
    int fails = 0;
    std::size_t forecasts = 0;
    for (auto _ : state) {
        const std::vector<std::optional<Baseline>> baselines = BlockBaselines(Layout, history);
        const std::vector<std::optional<FirstReading>> firsts = StrapFirstReadings(Layout, history);
        fails = 0;
        for (const InspectionRecord& inspection : history)
            fails += JudgeInspection(Layout, policies, inspection, baselines, firsts).summary.fail;
        const std::vector<BlockTrend> trends = StringTrends(Layout, history, baselines, limits);
        forecasts = 0;
        for (const BlockTrend& trend : trends)
            forecasts += trend.fail ? 1 : 0;
        benchmark::DoNotOptimize(trends.data());
    }
    state.counters["fails"] = fails;
    state.counters["failForecasts"] = static_cast<double>(forecasts);
}
BENCHMARK(BM_StringVerdictsAndForecasts500Blocks20Inspections)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace voltaryn::strings
