#include "cells/MeterCapacity.h"

#include "cells/DisplayNumber.h"

namespace voltaryn::cells {

std::optional<double> OutCapacityMilliAmpHours(const MeterReading& reading)
{
    constexpr std::size_t outRow = 1;
    if (!reading.MeterConnected)
        return std::nullopt;
    const std::optional<DisplayNumber> shown = ReadDisplayNumber(reading.CapacityText.at(outRow));
    if (!shown)
        return std::nullopt;
    return reading.CapMilli.at(outRow) ? shown->Value : shown->ScaledBy(3);
}

} // namespace voltaryn::cells
