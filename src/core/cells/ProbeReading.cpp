#include "cells/ProbeReading.h"

#include "meter/RangeTexts.h"

#include <algorithm>

namespace voltaryn::cells {

ProbeReading ReadProbes(const MeterReading& reading, std::span<const std::string_view> litWords)
{
    if (!reading.MeterConnected)
        return {};
    return {
        .VoltageText = reading.VoltageText,
        .ResistanceText = reading.ResistanceText,
        .RangeText = reading.RangeText,
        .TemperatureText = reading.TemperatureText,
        .TemperatureUnit = reading.TempIsCelsius ? "°C" : "°F",
        .Hold = std::find(litWords.begin(), litWords.end(), "HOLD") != litWords.end(),
    };
}

std::optional<int> MilliOhmPower(std::string_view rangeText)
{
    const auto* const range = std::find(RangeTexts.begin(), RangeTexts.end(), rangeText);
    if (range == RangeTexts.end())
        return std::nullopt;
    // The first three ranges are the milliohm ones.
    return range - RangeTexts.begin() < 3 ? 0 : 3;
}

} // namespace voltaryn::cells
