#include "graphs/NumberText.h"

#include "text/CharacterCodes.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <system_error>
#include <utility>

namespace voltaryn {
namespace {

struct Pattern {
    std::size_t IntegerDigits = 0;
    std::size_t MinDecimals = 0;
    std::size_t MaxDecimals = 0;
};

Pattern ReadPattern(std::string_view pattern)
{
    const std::size_t point = pattern.find('.');
    const std::string_view integer = pattern.substr(0, point);
    const std::string_view fraction = point == std::string_view::npos ? std::string_view() : pattern.substr(point + 1);
    return {static_cast<std::size_t>(std::ranges::count(integer, '0')),
            static_cast<std::size_t>(std::ranges::count(fraction, '0')),
            static_cast<std::size_t>(std::ranges::count(fraction, '0') + std::ranges::count(fraction, '#'))};
}

// Adds one to the last digit of a digit string, carrying leftwards; "99" becomes "100".
void RoundUp(std::string& digits)
{
    for (std::size_t i = digits.size(); i-- > 0;) {
        if (digits[i] != '9') {
            ++digits[i];
            return;
        }
        digits[i] = '0';
    }
    digits.insert(digits.begin(), '1');
}

std::size_t SkipDigits(std::string_view text, std::size_t at)
{
    while (at < text.size() && IsDigit(text[at]))
        ++at;
    return at;
}

// The power of ten of a numeral's first significant digit, saturated far beyond any double's
// exponent: `mantissa` is digits with at most one point, `exponent` the digits after 'e' and sign.
std::int64_t DecimalMagnitude(std::string_view mantissa, std::string_view exponent, bool negativeExponent)
{
    constexpr std::int64_t Far = 1'000'000;
    std::int64_t power = 0;
    for (const char c : exponent)
        power = std::min(power * 10 + (c - '0'), Far);
    if (negativeExponent)
        power = -power;
    const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
    const std::size_t first = mantissa.find_first_of("123456789");
    if (first == std::string_view::npos)
        return -Far;  // all zeros
    const auto distance = static_cast<std::int64_t>(point) - static_cast<std::int64_t>(first);
    return power + (first < point ? distance - 1 : distance);
}

// The float's shortest decimal form, unsigned, as integer digits and decimals: 3e38 is 3 and 38
// zeros, where the exact binary value would carry digits nobody typed.
std::pair<std::string, std::string> ShortestDigits(float magnitude)
{
    std::array<char, 32> buffer{};
    auto* const end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude, std::chars_format::scientific).ptr;
    const std::string_view text(buffer.data(), end);
    const std::size_t e = text.find('e');
    std::string digits(text.substr(0, e));
    std::erase(digits, '.');
    int exponent = 0;
    std::from_chars(text.data() + e + (text[e + 1] == '+' ? 2 : 1), end, exponent);
    const auto point = static_cast<std::ptrdiff_t>(exponent) + 1;
    const auto length = static_cast<std::ptrdiff_t>(digits.size());
    if (point <= 0)
        return {"0", std::string(static_cast<std::size_t>(-point), '0') + digits};
    if (point >= length)
        return {digits + std::string(static_cast<std::size_t>(point - length), '0'), ""};
    return {digits.substr(0, static_cast<std::size_t>(point)), digits.substr(static_cast<std::size_t>(point))};
}

// The numeral's unsigned value; 0 below the smallest double, infinity above the largest.
double Magnitude(std::string_view mantissa, std::string_view exponent, bool negativeExponent)
{
    // from_chars wants a digit on each side of the point.
    std::string numeral(mantissa.starts_with('.') ? "0" : "");
    numeral += mantissa;
    if (mantissa.ends_with('.'))
        numeral += '0';
    if (!exponent.empty())
        numeral += (negativeExponent ? "e-" : "e") + std::string(exponent);
    double magnitude = 0;
    if (std::from_chars(numeral.data(), numeral.data() + numeral.size(), magnitude).ec != std::errc())
        return DecimalMagnitude(mantissa, exponent, negativeExponent) < 0 ? 0 : HUGE_VAL;
    return magnitude;
}

} // namespace

std::string FormatNumber(float value, std::string_view pattern)
{
    const bool negative = std::signbit(value);
    auto [digits, decimals] = ShortestDigits(std::fabs(value));
    if (pattern.empty()) {
        const bool zero = value == 0;
        return (negative && !zero ? "-" : "") + digits + (decimals.empty() ? "" : "." + decimals);
    }

    const Pattern shape = ReadPattern(pattern);
    if (decimals.size() > shape.MaxDecimals) {
        const bool up = decimals[shape.MaxDecimals] >= '5';
        decimals.resize(shape.MaxDecimals);
        if (up) {
            std::string all = digits + decimals;
            RoundUp(all);
            digits = all.substr(0, all.size() - decimals.size());
            decimals = all.substr(digits.size());
        }
    }
    while (decimals.size() > shape.MinDecimals && decimals.back() == '0')
        decimals.pop_back();
    decimals.resize(std::max(decimals.size(), shape.MinDecimals), '0');
    digits.erase(0, std::min(digits.find_first_not_of('0'), digits.size()));
    if (digits.size() < shape.IntegerDigits)
        digits.insert(0, shape.IntegerDigits - digits.size(), '0');
    if (digits.empty() && decimals.empty())
        digits = "0";  // a pattern with no digit to show still shows the value

    const bool zero = (digits + decimals).find_first_not_of('0') == std::string::npos;
    std::string shown = negative && !zero ? "-" : "";
    shown += digits;
    if (!decimals.empty())
        shown += "." + decimals;
    return shown;
}

ParsedNumber ParseNumber(std::string_view text)
{
    const std::size_t begin = text.find_first_not_of(" \t");
    if (begin == std::string_view::npos)
        return {0, NumberRefusal::NotANumber};
    text = text.substr(begin, text.find_last_not_of(" \t") + 1 - begin);

    std::size_t at = 0;
    const bool negative = text[at] == '-';
    if (text[at] == '-' || text[at] == '+')
        ++at;
    const std::size_t mantissaStart = at;
    at = SkipDigits(text, at);
    bool anyDigit = at > mantissaStart;
    if (at < text.size() && text[at] == '.') {
        const std::size_t fraction = ++at;
        at = SkipDigits(text, at);
        anyDigit = anyDigit || at > fraction;
    }
    const std::string_view mantissa = text.substr(mantissaStart, at - mantissaStart);
    std::string_view exponent;
    bool negativeExponent = false;
    if (anyDigit && at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        ++at;
        negativeExponent = at < text.size() && text[at] == '-';
        if (at < text.size() && (text[at] == '-' || text[at] == '+'))
            ++at;
        const std::size_t digits = at;
        at = SkipDigits(text, at);
        exponent = text.substr(digits, at - digits);
        anyDigit = !exponent.empty();
    }
    if (!anyDigit || at != text.size())
        return {0, NumberRefusal::NotANumber};

    const double magnitude = Magnitude(mantissa, exponent, negativeExponent);
    // Beyond the largest float by less than half its last step, a numeral still rounds to it.
    const double floatLimit = std::ldexp(2.0 - std::ldexp(1.0, -24), 127);
    if (magnitude >= floatLimit)
        return {0, NumberRefusal::TooLarge};
    const auto value = static_cast<float>(std::min(magnitude, static_cast<double>(std::numeric_limits<float>::max())));
    return {negative ? -value : value, NumberRefusal::None};
}

} // namespace voltaryn
