#pragma once

#include "meter/MeterReading.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace voltaryn::cells {

// What the capture engine reads from one display poll: the display texts as shown, and whether
// the meter holds the reading.
struct ProbeReading {
    std::string VoltageText;      // V, e.g. "3.712"
    std::string ResistanceText;   // in the range's unit, e.g. "24.31" or "OL"
    std::string RangeText;        // e.g. "40 mOhm", one of RangeTexts
    std::string TemperatureText;  // e.g. "23.5"
    std::string TemperatureUnit;  // "°C" or "°F"
    bool Hold = false;            // the display's HOLD word is lit

    bool operator==(const ProbeReading&) const = default;
};

// The probe reading of the live reading and the display's lit words (WordsShown). A meter that is
// not connected reads as open probes: its texts are left from the last display it sent.
ProbeReading ReadProbes(const MeterReading& reading, std::span<const std::string_view> litWords);

// The power of ten that turns the resistance field into milliohms under a range text: 0 on the
// milliohm ranges, 3 on the ohm ranges, nullopt for a text that is not a range (none known yet).
std::optional<int> MilliOhmPower(std::string_view rangeText);

} // namespace voltaryn::cells
