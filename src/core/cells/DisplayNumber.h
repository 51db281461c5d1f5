#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace voltaryn::cells {

// A display text read as a decimal number, kept as its digits and the count of digits after the
// point, so that "24.31" stays exactly 2431 hundredths and its resolution is known. Value and
// Digit are worked out once when the text is read, as the capture engine compares them often.
struct DisplayNumber {
    std::int64_t Mantissa = 0;
    int Decimals = 0;
    double Value = 0;
    double Digit = 1;  // the place value of the text's last digit: 0.01 for "24.31", 1 for "240"

    // The value times 10^power, rounded once (so "0.025" Ohm is exactly 25 mOhm).
    double ScaledBy(int power) const;
};

// The number a display field shows, with surrounding spaces allowed; nullopt for anything else
// ("OL", "-OL", blank, stray characters).
std::optional<DisplayNumber> ReadDisplayNumber(std::string_view text);

} // namespace voltaryn::cells
