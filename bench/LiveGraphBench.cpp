// The live graph once its history is full (432001 samples a channel, five days): the cost of one
// tick with all seven plots charted (samples from the display, history store, strip append and a
// replot of the visible strip), and the program's resident memory at that point, with the main
// window and the live graph open.
#include "BenchServices.h"
#include "graphs/LiveGraph.h"
#include "graphs/GraphState.h"
#include "ui/graphs/LiveGraphWindow.h"

#include <benchmark/benchmark.h>
#include <qcustomplot.h>

#include <fstream>
#include <string>

namespace voltaryn {
namespace {

void BM_LiveGraphTickWithFullHistory(benchmark::State& state)
{
    SimulatedPanel simulated;
    simulated.Rotation();

    GraphState graphs;
    LiveGraph live(graphs, simulated.session.reading);
    ChannelSwitches all;
    all.values.fill(true);
    live.Start(all, AxisLimits{});
    LiveGraphWindow window(live, graphs, true, nullptr);
    window.resize(1600, 900);
    window.show();
    for (int tick = 0; tick < GraphHistory::Capacity; ++tick)
        window.Tick();
    for (auto _ : state) {
        window.Tick();
        window.Plot().replot(QCustomPlot::rpImmediateRefresh);
    }
    state.counters["resident_MiB"] = ResidentMiB();
    state.counters["sample_index"] = graphs.GraphSampleIndex;
}
BENCHMARK(BM_LiveGraphTickWithFullHistory)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace voltaryn
