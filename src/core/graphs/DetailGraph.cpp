#include "graphs/DetailGraph.h"

#include "graphs/GraphState.h"

#include <algorithm>
#include <cstddef>

namespace voltaryn {

std::optional<DetailGraphData> PrepareDetailGraph(GraphState& state, const ChannelSwitches& channels,
                                                  const AxisLimits& limits)
{
    const bool anyChannel = std::ranges::any_of(channels.values, [](bool on) { return on; });
    const int count = state.GraphSampleIndex;  // the newest sample is at count - 1
    if (!anyChannel || count <= 0 || count > GraphHistory::Capacity)
        return std::nullopt;
    state.DetailChannels = channels;
    state.DetailAxisLimits = limits;
    DetailGraphData data{count, channels, limits, {}};
    for (std::size_t c = 0; c < HistoryChannelCount; ++c) {
        const auto channel = static_cast<HistoryChannel>(c);
        if (channels[SwitchOf(channel)])
            data.Series[channel] = state.History.Read(channel, count);
    }
    return data;
}

} // namespace voltaryn
