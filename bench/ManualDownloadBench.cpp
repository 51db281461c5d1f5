// Cost of downloading the manual memory from the simulated meter: per record one request through
// the link, the meter's answer and the decode into a list row. Events are not let run, so the
// figure is the download's own cost per record.
#include "BenchServices.h"
#include "memory/ManualDownload.h"

#include <benchmark/benchmark.h>

namespace voltaryn {
namespace {

void BM_ManualDownload10000Records(benchmark::State& state)
{
    constexpr int Records = 10000;
    sim::SimulatedMeter meter;
    meter.FillMemory(Records);
    sim::SimulatedHidBackend backend(meter);
    MeterLink link(backend);
    MeterCommands commands(link);
    NoEvents pump;
    for (auto _ : state) {
        const ManualDownloadResult result = DownloadManualRecords(
            link, commands, pump, [](const RecordRow& row, int, int) { benchmark::DoNotOptimize(row.data()); });
        if (result.rowsDelivered != Records)
            state.SkipWithError("the download ended early");
    }
    state.counters["per_record"] =
        benchmark::Counter(Records, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_ManualDownload10000Records)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace voltaryn
