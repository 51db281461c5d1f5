#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace voltaryn {

// The one live reading, mirrored from the meter's display. Numbers stay display texts exactly as
// decoded (digits, optional point and sign); units are indicator flags plus the range text.
// The decoder and the poll loop are its only writers.
struct MeterReading {
    std::string VoltageText = "-999.9";
    std::string ResistanceText = "-999.9";
    std::string CurrentText = "-999.9";
    std::string TemperatureText = "-999.9";
    std::array<std::string, 3> CapacityText{};  // 0 in-capacity, 1 out-capacity, 2 total
    std::array<bool, 3> CapMilli{};             // row shows mAh rather than Ah
    bool CapAh = false;
    std::array<std::string, 2> PercentText{"0", "0"};  // indexed like LblPercent(0..1)
    std::string RecordNoText = "000";
    std::string HHText = "00";
    std::string LLText = "00";
    bool AutoMemoryOn = false;
    bool IntervalOn = false;
    bool TempIsCelsius = true;
    std::string TempUnitText;

    // Kept by the poll loop from the identification and range replies.
    std::int16_t RangeCode = 0;
    std::int16_t LastRangeCode = 0;
    std::string RangeText;
    bool MeterConnected = false;
    std::string IdentString;
};

} // namespace voltaryn
