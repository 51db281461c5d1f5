#pragma once

#include <string>
#include <string_view>

namespace voltaryn {

// Shows a field's value through its display pattern: before the point, each '0' is an integer
// digit always shown (so ".00#" shows 0.5 as ".50"); after it, each '0' a decimal always shown and
// each '#' one shown only when it is not a trailing zero. The value is rounded half away from zero
// on its shortest decimal form, the one a user typed. An empty pattern shows that form as it is.
std::string FormatNumber(float value, std::string_view pattern);

// Why a typed text gives no value.
enum class NumberRefusal { None, NotANumber, TooLarge };

struct ParsedNumber {
    float Value = 0;
    NumberRefusal Refusal = NumberRefusal::None;
    bool operator==(const ParsedNumber&) const = default;
};

// Reads a decimal numeral as a field takes it: blanks around it, a sign, digits with an optional
// point and exponent. A numeral too small for any float becomes 0; one beyond the largest float is
// refused, and so is anything that is not a numeral (including "inf" and "nan").
ParsedNumber ParseNumber(std::string_view text);

} // namespace voltaryn
