#pragma once

#include "meter/DisplayDecoder.h"
#include "protocol/DisplayPacket.h"
#include "protocol/StatusBit.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace voltaryn::test {

// A display packet written byte by byte as the meter sends it, then split and decoded the way a
// display tick does.
class DisplayBytes {
public:
    DisplayBytes& Light(StatusBit bit)
    {
        const auto index = static_cast<std::size_t>(bit);
        bytes_.at(1 + index / 8) |= static_cast<std::uint8_t>(1u << (index % 8));
        return *this;
    }

    // Display characters from DisplayChar(first) on; a "\0" in the text is the character with code 0.
    DisplayBytes& Chars(int first, std::string_view text)
    {
        for (std::size_t i = 0; i < text.size(); ++i)
            bytes_.at(8 + static_cast<std::size_t>(first) + i) = static_cast<std::uint8_t>(text[i]);
        return *this;
    }

    PanelDisplay Decode(MeterReading& reading) const { return DecodeDisplay(SplitDisplayPacket(bytes_), reading); }

private:
    std::array<std::uint8_t, DisplayPacket::MinimumLength> bytes_{};
};

} // namespace voltaryn::test
