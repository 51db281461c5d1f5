#pragma once

#include "graphs/GraphChannels.h"

#include <string_view>

namespace voltaryn {

struct MeterReading;

// The number a text starts with, after leading spaces: an optional sign, digits and a decimal
// point ("-1.25V" gives -1.25, "4 Ohm" gives 4); 0 when it starts with no number.
double LeadingNumber(std::string_view text);

// The seven graph samples of what the display shows. An overload (a text with a capital "L", such
// as "OL") becomes its channel's fixed substitute; capacities shown in mAh become Ah. ohmRange and
// tempUnit are the range text and temperature unit text taken when the graph started.
GraphSamples SamplesFromDisplay(const MeterReading& reading, std::string_view ohmRange, std::string_view tempUnit);

} // namespace voltaryn
