#pragma once

#include "graphs/GraphChannels.h"

#include <span>
#include <vector>

namespace voltaryn {

// The samples the live graph has recorded, one a second per channel, for the detail graph to
// draw. All seven channels are allocated in full when it is built and never resized.
class GraphHistory {
public:
    static constexpr int Capacity = 432001;  // five days at one sample a second, indices 0..432000

    GraphHistory();

    // Stores the seven samples at index; an index outside 0..Capacity - 1 stores nothing and
    // answers false.
    bool Store(int index, const GraphSamples& samples);

    // Samples 0..count - 1 of one channel, side by side; empty for a count outside 0..Capacity.
    std::span<const double> Read(HistoryChannel channel, int count) const;

private:
    std::vector<double> samples_;  // channel by channel, Capacity samples each
};

// The index after index, back to 0 after the last one.
constexpr int NextSampleIndex(int index) { return index + 1 == GraphHistory::Capacity ? 0 : index + 1; }

} // namespace voltaryn
