#pragma once

#include "graphs/GraphChannels.h"

#include <string_view>

namespace voltaryn {

// The vertical ranges the graph settings start from: wide enough for each channel's overload
// substitute, the temperature's by unit and the resistance's by the meter's range text.
AxisLimits DefaultAxisLimits(bool tempIsCelsius, std::string_view rangeText);

// The top of the resistance axis for a range text: a little above the range's full scale.
float ResistanceAxisMaximum(std::string_view rangeText);

// How a limit field steps and shows its value (a pattern as FormatNumber reads it).
struct FieldFormat {
    double Step = 0.1;
    std::string_view Pattern = "0.0";
    bool operator==(const FieldFormat&) const = default;
};

// The resistance fields' format for the range text the live graph last started with (empty
// before the first start).
FieldFormat ResistanceFieldFormat(std::string_view ohmRange);

} // namespace voltaryn
