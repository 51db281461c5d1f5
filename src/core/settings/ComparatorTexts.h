#pragma once

#include "settings/ComparatorEntry.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace voltaryn {

// Follows the digits of a limit whose decimal point is not known (no range flag, or several).
inline constexpr std::string_view UnknownPointMarker = " (no point)";

// A limit's value: the count with its point placed, in the shortest form (no trailing zeros, no
// exponent): 1500 with 2 decimals "15", 5 with 3 "0.005", 0 with 3 "0". Without decimals the
// bare count followed by UnknownPointMarker, so that it is never taken for a value.
std::string ShownValue(int count, std::optional<int> decimals);

// A resistance limit's cell: "1.234 / 4 mOhm". A voltage limit's cell is its bare value.
std::string OhmCell(const OhmLimit& limit);
std::string VoltCell(const VoltLimit& limit);

// One grid row: the entry number, high and low resistance, high and low voltage.
using ComparatorRowTexts = std::array<std::string, 5>;
ComparatorRowTexts ComparatorRow(int number, const ComparatorEntry& entry);

} // namespace voltaryn
