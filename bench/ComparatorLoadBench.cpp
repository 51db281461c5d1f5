// Cost of reading the meter's 99 comparator entries from the simulated meter into the program's
// table, as opening the Comparator window does: 99 requests, replies and decodes, and the grid
// row texts. Events are not let run, so the figure is the load's own cost.
#include "BenchServices.h"
#include "settings/ComparatorLoad.h"

#include <benchmark/benchmark.h>

namespace voltaryn {
namespace {

void BM_ComparatorLoad99Entries(benchmark::State& state)
{
    sim::SimulatedMeter meter;
    sim::SimulatedHidBackend backend(meter);
    MeterLink link(backend);
    MeterCommands commands(link);
    ComparatorTable table;
    NoEvents pump;
    for (auto _ : state) {
        const ComparatorLoadResult load =
            LoadComparatorTable(commands, table, pump, [](const ComparatorRowTexts& row) { benchmark::DoNotOptimize(row.data()); });
        if (!load.Complete())
            state.SkipWithError("the load ended early");
    }
}
BENCHMARK(BM_ComparatorLoad99Entries)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace voltaryn
