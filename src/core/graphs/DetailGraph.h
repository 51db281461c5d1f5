#pragma once

#include "graphs/GraphChannels.h"

#include <optional>
#include <span>

namespace voltaryn {

struct GraphState;

// What the detail graph draws: the recorded samples 0..count - 1 of each chosen channel, sample i
// at horizontal position i + 1, on the chosen vertical ranges.
struct DetailGraphData {
    int Count = 0;
    ChannelSwitches Channels;
    AxisLimits Limits;
    ByChannel<HistoryChannel, std::span<const double>, HistoryChannelCount> Series;  // empty when off
};

// Takes the detail settings' choice: remembers the channels and limits for a later reset and
// answers the history up to the newest sample. Answers nothing, and changes nothing, when no
// channel is chosen or nothing has been recorded since the live graph started.
std::optional<DetailGraphData> PrepareDetailGraph(GraphState& state, const ChannelSwitches& channels,
                                                  const AxisLimits& limits);

} // namespace voltaryn
