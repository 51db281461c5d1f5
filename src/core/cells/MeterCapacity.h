#pragma once

#include "meter/MeterReading.h"

#include <optional>

namespace voltaryn::cells {

// The out-capacity the display's second capacity row shows, in mAh whether the row reads mAh or
// Ah; nullopt while no meter is connected or the row shows no number.
std::optional<double> OutCapacityMilliAmpHours(const MeterReading& reading);

} // namespace voltaryn::cells
