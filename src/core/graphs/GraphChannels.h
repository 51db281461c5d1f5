#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace voltaryn {

// The graphs name their channels in three different orders. Each order has its own enum, and the
// arrays indexed by them accept only their own enum, so one order cannot index another's array.

// The seven recorded channels, in the order of the history arrays. Plot n of a graph charts
// history channel n - 1.
enum class HistoryChannel : std::uint8_t {
    Voltage,
    Current,
    Temperature,
    Resistance,
    InCapacity,
    OutCapacity,
    TotalCapacity,
};
inline constexpr std::size_t HistoryChannelCount = 7;

// The five channel switches, in the order of the settings dialogs' check boxes.
enum class ChannelSwitch : std::uint8_t { Voltage, Current, Resistance, Temperature, Capacity };
inline constexpr std::size_t ChannelSwitchCount = 5;

// The five vertical axes, in the order of the axis limits. Vertical axis n of a graph is axis
// channel n - 1; the three capacities share the capacity axis.
enum class AxisChannel : std::uint8_t { Voltage, Current, Temperature, Resistance, Capacity };
inline constexpr std::size_t AxisChannelCount = 5;

// An array indexed by one channel order only.
template <typename Channel, typename T, std::size_t Count>
struct ByChannel {
    std::array<T, Count> values{};

    T& operator[](Channel channel) { return values[static_cast<std::size_t>(channel)]; }
    const T& operator[](Channel channel) const { return values[static_cast<std::size_t>(channel)]; }
    bool operator==(const ByChannel&) const = default;
};

using ChannelSwitches = ByChannel<ChannelSwitch, bool, ChannelSwitchCount>;
using GraphSamples = ByChannel<HistoryChannel, double, HistoryChannelCount>;
// The point each plot appends on a tick; none for a plot whose channel is switched off.
using PlotPoints = ByChannel<HistoryChannel, std::optional<double>, HistoryChannelCount>;

// One vertical axis's range, as the settings dialogs' fields hold it.
struct AxisRange {
    float Max = 0;
    float Min = 0;
    bool operator==(const AxisRange&) const = default;
};
// Ten floats: maximum and minimum of each vertical axis.
using AxisLimits = ByChannel<AxisChannel, AxisRange, AxisChannelCount>;

constexpr AxisChannel AxisOf(HistoryChannel channel)
{
    switch (channel) {
    case HistoryChannel::Voltage: return AxisChannel::Voltage;
    case HistoryChannel::Current: return AxisChannel::Current;
    case HistoryChannel::Temperature: return AxisChannel::Temperature;
    case HistoryChannel::Resistance: return AxisChannel::Resistance;
    case HistoryChannel::InCapacity:
    case HistoryChannel::OutCapacity:
    case HistoryChannel::TotalCapacity: break;
    }
    return AxisChannel::Capacity;
}

constexpr ChannelSwitch SwitchOf(AxisChannel axis)
{
    switch (axis) {
    case AxisChannel::Voltage: return ChannelSwitch::Voltage;
    case AxisChannel::Current: return ChannelSwitch::Current;
    case AxisChannel::Temperature: return ChannelSwitch::Temperature;
    case AxisChannel::Resistance: return ChannelSwitch::Resistance;
    case AxisChannel::Capacity: break;
    }
    return ChannelSwitch::Capacity;
}

constexpr ChannelSwitch SwitchOf(HistoryChannel channel) { return SwitchOf(AxisOf(channel)); }

} // namespace voltaryn
