#pragma once

#include "protocol/StatusBit.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>

namespace voltaryn {

// The meter's display as one input report:
//
//   byte  0       report id
//   bytes 1..8    status bits (StatusBit), bit 0 least significant
//   bytes 9..45   37 display characters; DisplayChar(i) is byte 8 + i
//                  1..4 voltage   5..8 resistance   9..12 current   13..16 temperature
//                 17..20 / 21..24 / 25..28 capacity rows 0 / 1 / 2   29, 30 percentage
//                 31..33 number field   34, 35 two-digit field   35..37 lower field
// The four numeric fields, named after the quantity they usually show.
enum class NumericField { Voltage, Resistance, Current, Temperature };

struct DisplayPacket {
    static constexpr std::size_t CharCount = 37;
    static constexpr std::size_t MinimumLength = 46;  // report id to the last display character

    StatusBits DisplayFlags;
    // Each display character as text (UTF-8); the character with code 0 is kept as "\0".
    std::array<std::string, CharCount> DisplayChars{};

    // Display character i, counted from 1 as the meter numbers them.
    const std::string& DisplayChar(int i) const { return DisplayChars.at(static_cast<std::size_t>(i - 1)); }
};

// Splits a reply into status bits and display characters. A reply shorter than MinimumLength
// reads as if padded with zero bytes.
DisplayPacket SplitDisplayPacket(std::span<const std::uint8_t> reply);

} // namespace voltaryn
