// Cost of the panel's poll ticks against the simulated meter: the exchange, the decode and a full
// render of the main window (grab() paints every widget, more than a tick's partial repaint).
// One rotation is three ticks (identify, range, display); it must stay far below the 300 ms
// those ticks span.
#include "BenchServices.h"

#include <benchmark/benchmark.h>

namespace voltaryn {
namespace {

void BM_PollRotationWithFullRender(benchmark::State& state)
{
    SimulatedPanel simulated;
    for (auto _ : state) {
        for (int tick = 0; tick < 3; ++tick) {
            simulated.panel.ShowPoll(simulated.session.pollLoop.Tick());
            benchmark::DoNotOptimize(simulated.panel.grab());
        }
    }
}
BENCHMARK(BM_PollRotationWithFullRender)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace voltaryn
