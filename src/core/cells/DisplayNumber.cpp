#include "cells/DisplayNumber.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdlib>

namespace voltaryn::cells {
namespace {

// Powers of ten that a double holds exactly, so one division rounds the decimal correctly.
constexpr std::array<double, 19> PowersOfTen = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8, 1e9,
                                                1e10, 1e11, 1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18};

double TimesPowerOfTen(std::int64_t mantissa, int power)
{
    const auto m = static_cast<double>(mantissa);
    const auto exponent = static_cast<std::size_t>(std::abs(power));
    return power >= 0 ? m * PowersOfTen.at(exponent) : m / PowersOfTen.at(exponent);
}

} // namespace

double DisplayNumber::ScaledBy(int power) const { return TimesPowerOfTen(Mantissa, power - Decimals); }

std::optional<DisplayNumber> ReadDisplayNumber(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return std::nullopt;
    text = text.substr(first, text.find_last_not_of(' ') - first + 1);
    const bool negative = text.front() == '-';
    if (negative)
        text.remove_prefix(1);
    const std::size_t point = text.find('.');
    std::array<char, 18> digits{};
    if (text.size() > digits.size() || text.empty() || text == ".")
        return std::nullopt;
    auto* const end = std::copy_if(text.begin(), text.end(), digits.begin(), [](char c) { return c != '.'; });
    if (point != std::string_view::npos && text.find('.', point + 1) != std::string_view::npos)
        return std::nullopt;
    if (!std::all_of(digits.begin(), end, [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    DisplayNumber number;
    std::from_chars(digits.data(), end, number.Mantissa);
    if (negative)
        number.Mantissa = -number.Mantissa;
    number.Decimals = point == std::string_view::npos ? 0 : static_cast<int>(text.size() - point - 1);
    number.Value = number.ScaledBy(0);
    number.Digit = TimesPowerOfTen(1, -number.Decimals);
    return number;
}

} // namespace voltaryn::cells
