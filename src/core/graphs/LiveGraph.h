#pragma once

#include "graphs/GraphChannels.h"

namespace voltaryn {

struct GraphState;
struct MeterReading;

// What one tick of the live graph asks of whoever draws it.
struct LiveGraphTick {
    bool Stopped = false;  // the graph ended (closed, or the range changed): draw no more
    PlotPoints Points;     // the point each switched-on plot appends
};

// The live graph's once-a-second work, apart from its drawing: the run schedule calls Tick() and
// appends the points it answers.
class LiveGraph {
public:
    LiveGraph(GraphState& state, const MeterReading& reading);

    // Starts with the chosen channels and limits, and takes the current range and temperature
    // unit texts. Starts nothing and answers false when no channel is switched on.
    bool Start(const ChannelSwitches& channels, const AxisLimits& limits);

    // Stops when the graph was closed or the meter's resistance range changed since the start.
    // Otherwise records the display's seven samples, switched on or not, at the next index.
    LiveGraphTick Tick();

    // Ends the graph; the recorded history stays for the detail graph.
    void Close();

    // Whether the graph runs: started, and neither closed nor stopped by a range change.
    bool Running() const { return running_; }

private:
    GraphState& state_;
    const MeterReading& reading_;
    bool running_ = false;
};

} // namespace voltaryn
