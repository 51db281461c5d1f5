#pragma once

#include "sim/BatteryModel.h"
#include "sim/ComparatorStore.h"
#include "sim/ManualMemory.h"
#include "sim/MeterClock.h"

#include <optional>

namespace voltaryn::sim {

// What the number field and the two small fields beside it show.
enum class NumberFieldMode {
    RecordCount,  // "NO." and the number of stored readings
    Time,         // "TIME", the clock's hour and minute
    Interval,     // "INTV", "SEt" and the sampling interval, stepped with the arrow keys
    Comparator,   // "COMP" and the comparator entry number, stepped with the arrow keys
};

enum class HoldMode { Off, Hold, AutoHold };

// Everything about the meter that its switch, keys and setting commands change.
struct MeterState {
    int rangeCode = 2;  // rotary switch: 0 OFF, 1..6 the ranges "4 mOhm" to "400 Ohm"; starts at "40 mOhm"
    HoldMode hold = HoldMode::Off;
    std::optional<BatterySample> heldSample;  // the reading a hold keeps on the display
    NumberFieldMode numberField = NumberFieldMode::RecordCount;
    bool sdLogging = false;      // "Auto Data": readings are logged to the SD card (boxed R)
    bool beeper = true;
    bool fahrenheit = false;
    bool zeroAdjusted = false;   // the test leads' own resistance is taken off ("OADJ")
    bool coarseVoltage = false;  // the voltage shows one decimal less
    bool judging = false;        // PASS, WARNING or FAIL is shown
    bool leadsReversed = false;  // the voltage reads negative
    int intervalSeconds = 2;     // 1..255
    int averageNumber = 2;       // 2 = off, or 4, 8, 16 readings
    int comparatorNo = 1;        // 1..99, the entry judged against
    ComparatorStore comparators;
    ManualMemory memory;
    MeterClock clock;
};

} // namespace voltaryn::sim
