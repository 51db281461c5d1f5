#pragma once

#include "graphs/GraphChannels.h"
#include "graphs/GraphHistory.h"

#include <string>

namespace voltaryn {

// What the graphs keep between runs: the live graph's settings and recorded history, and the
// detail graph's settings. The channel switches start all off and keep the last run's choice.
struct GraphState {
    ChannelSwitches GraphChannels;
    AxisLimits GraphAxisLimits;
    std::string GraphOhmRange;   // the range text when the live graph started
    std::string GraphTempUnit;   // the temperature unit text when the live graph started
    int GraphSampleIndex = 0;    // where the next sample goes; the count recorded so far
    GraphHistory History;
    ChannelSwitches DetailChannels;
    AxisLimits DetailAxisLimits;  // as last applied to the detail graph
};

} // namespace voltaryn
