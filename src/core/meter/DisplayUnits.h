#pragma once

#include "protocol/StatusBit.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace voltaryn {

// The unit each field of the display shows, as its lit unit symbols spell it: "V" or "mV",
// "Ohm" or "mOhm", "A", "°C" or "°F", "Ah" or "mAh"; empty where no unit symbol is lit.
struct DisplayUnits {
    std::string voltage;
    std::string resistance;
    std::string current;
    std::string temperature;
    std::array<std::string, 3> capacity;  // in-capacity, out-capacity, total capacity

    bool operator==(const DisplayUnits&) const = default;
};

DisplayUnits UnitsShown(const StatusBits& lit);

// The display's word indicators that are lit ("HOLD", "AM", "PASS", ...), in the order the
// display reads them; the fixed captions of its fields are left out.
std::vector<std::string_view> WordsShown(const StatusBits& lit);

} // namespace voltaryn
