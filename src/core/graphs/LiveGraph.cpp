#include "graphs/LiveGraph.h"

#include "graphs/DisplaySamples.h"
#include "graphs/GraphState.h"
#include "meter/MeterReading.h"

#include <algorithm>
#include <cstddef>

namespace voltaryn {

LiveGraph::LiveGraph(GraphState& state, const MeterReading& reading) : state_(state), reading_(reading) {}

bool LiveGraph::Start(const ChannelSwitches& channels, const AxisLimits& limits)
{
    if (std::ranges::none_of(channels.values, [](bool on) { return on; }))
        return false;
    state_.GraphChannels = channels;
    state_.GraphAxisLimits = limits;
    state_.GraphOhmRange = reading_.RangeText;
    state_.GraphTempUnit = reading_.TempUnitText;
    state_.GraphSampleIndex = 0;
    running_ = true;
    return true;
}

LiveGraphTick LiveGraph::Tick()
{
    LiveGraphTick tick;
    if (!running_ || reading_.RangeText != state_.GraphOhmRange) {
        Close();
        tick.Stopped = true;
        return tick;
    }
    const GraphSamples samples = SamplesFromDisplay(reading_, state_.GraphOhmRange, state_.GraphTempUnit);
    state_.History.Store(state_.GraphSampleIndex, samples);
    state_.GraphSampleIndex = NextSampleIndex(state_.GraphSampleIndex);
    for (std::size_t c = 0; c < HistoryChannelCount; ++c) {
        const auto channel = static_cast<HistoryChannel>(c);
        if (state_.GraphChannels[SwitchOf(channel)])
            tick.Points[channel] = samples[channel];
    }
    return tick;
}

void LiveGraph::Close()
{
    state_.GraphSampleIndex = 0;
    running_ = false;
}

} // namespace voltaryn
