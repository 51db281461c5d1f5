#pragma once

#include "protocol/DisplayPacket.h"
#include "meter/MeterReading.h"
#include "protocol/StatusBit.h"

#include <array>
#include <string>

namespace voltaryn {

// What the front panel shows besides the reading's texts: the lit state of every status-bit
// indicator, and the characters of each numeric field's four digit indicators.
struct PanelDisplay {
    StatusBits lit;
    std::array<std::array<std::string, 4>, 4> digits{};  // indexed by NumericField

    const std::array<std::string, 4>& Digits(NumericField field) const
    {
        return digits.at(static_cast<std::size_t>(field));
    }
};

// A numeric field's text: the four characters with the point after digit 1, 2 or 3 (the earliest
// lit point wins), "-" in front when the sign is lit. No lit point gives no digits at all.
std::string ComposeReading(bool sign, const std::array<std::string, 4>& digits,
                           const std::array<bool, 3>& points);

// A capacity row's text: the four characters with at most one point, where the point after
// digit 3 wins over digit 2, and digit 2 over digit 1; all four characters without a lit point.
std::string ComposeCapacity(const std::array<std::string, 4>& digits, const std::array<bool, 3>& points);

// Turns one display packet into the panel's indicators and rewrites the reading's texts and
// flags. Only TempIsCelsius survives from the previous reading, when neither unit is lit; the
// range, connection and identification fields belong to the poll loop and are left alone.
PanelDisplay DecodeDisplay(const DisplayPacket& packet, MeterReading& reading);

} // namespace voltaryn
