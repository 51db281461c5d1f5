#pragma once

#include <array>
#include <string_view>

namespace voltaryn {

// The resistance ranges by range code 1..6, as they appear on the panel and in data files.
inline constexpr std::array<std::string_view, 6> RangeTexts = {
    "4 mOhm", "40 mOhm", "400 mOhm", "4 Ohm", "40 Ohm", "400 Ohm",
};

constexpr bool IsRangeCode(int code) { return code >= 1 && code <= 6; }

} // namespace voltaryn
