#include "graphs/GraphHistory.h"

#include <cstddef>

namespace voltaryn {

namespace {

constexpr std::size_t ChannelStart(HistoryChannel channel)
{
    return static_cast<std::size_t>(channel) * GraphHistory::Capacity;
}

} // namespace

GraphHistory::GraphHistory() : samples_(HistoryChannelCount * Capacity) {}

bool GraphHistory::Store(int index, const GraphSamples& samples)
{
    if (index < 0 || index >= Capacity)
        return false;
    for (std::size_t c = 0; c < HistoryChannelCount; ++c) {
        const auto channel = static_cast<HistoryChannel>(c);
        samples_[ChannelStart(channel) + static_cast<std::size_t>(index)] = samples[channel];
    }
    return true;
}

std::span<const double> GraphHistory::Read(HistoryChannel channel, int count) const
{
    if (count < 0 || count > Capacity)
        return {};
    return std::span<const double>(samples_).subspan(ChannelStart(channel), static_cast<std::size_t>(count));
}

} // namespace voltaryn
