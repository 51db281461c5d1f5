#pragma once

#include "cli/Output.h"
#include "files/RecordTable.h"

#include <array>
#include <chrono>
#include <optional>
#include <string>
#include <vector>

// One reading as read, memory and sd get write it in every format: the same fields in the same
// order (README "Machine output"). A value is a number, or null where the display shows none;
// its unit ("V", "mV", "Ohm", "mOhm", "A", "°C", "°F", "Ah", "mAh") stands in a field of its
// own, null where none is lit; a time is ISO 8601, with the date wherever the date is known.
namespace voltaryn::cli {

// A displayed value and its unit.
struct Quantity {
    std::string text;  // as the display shows it: blanks and leading zeros allowed
    std::string unit;  // empty: none lit
};

struct Reading {
    long long number = 0;  // counted from 1
    std::string time;      // ISO 8601
    int day = 0;           // the day of the month; 0: not known
    std::array<Quantity, 7> values;  // voltage, resistance, current, temperature, in-, out-, total capacity
    std::optional<std::string> range;
    std::optional<std::vector<std::string>> flags;
};

Record ReadingRecord(const Reading& reading);

// A display text as a number ("  -2.000" reads -2, "-0000" 0); null when it is none ("OL", "----").
Value NumberValue(const std::string& text);

// A manual record's list row: its number, "DD-hh:mm:ss" and the values with their units in
// brackets ("12.63 (V)").
Reading ManualReading(const RecordRow& row);

// The rows of an SD card file, which give the time of day of each record: the date is the
// file's start date, one day on each time the time of day goes back.
class SdReadings {
public:
    // `startTime` as the download's start line gives it ("    2024/03/11   10:00:00"); a
    // temperature unit, as the display spells it, for the file's temperatures.
    SdReadings(const std::string& startTime, std::string temperatureUnit);
    Reading Next(const RecordRow& row);

private:
    std::optional<std::chrono::sys_days> date_;
    std::string lastTimeOfDay_;
    std::string temperatureUnit_;
};

} // namespace voltaryn::cli
