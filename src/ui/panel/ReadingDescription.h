#pragma once

#include "meter/DisplayDecoder.h"
#include "meter/MeterReading.h"

#include <QString>

namespace voltaryn {

// The whole display as one sentence for a screen reader: the four values with their units, the
// capacities and percentage where shown and the lit annunciators, as in
// "12.63 V, 5.41 mΩ, -2.008 A, 24.0 °C, HOLD".
QString DescribeReading(const PanelDisplay& display, const MeterReading& reading);

} // namespace voltaryn
