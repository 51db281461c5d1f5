#include "settings/SettingAnswers.h"

#include <algorithm>
#include <cfenv>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>

namespace voltaryn {
namespace {

std::string_view Trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// Whether a number too far from 1 for a double is too small (it underflows to 0) rather than too
// large: the power of ten of its first significant digit, plus its exponent, is negative.
bool Underflows(std::string_view number)
{
    const std::size_t e = std::min(number.find_first_of("eE"), number.size());
    const std::string_view mantissa = number.substr(0, e);
    long long exponent = 0;
    if (e < number.size()) {
        std::string_view digits = number.substr(e + 1);
        const bool negative = digits.starts_with('-');
        if (negative || digits.starts_with('+'))
            digits.remove_prefix(1);
        if (std::from_chars(digits.data(), digits.data() + digits.size(), exponent).ec != std::errc())
            exponent = std::numeric_limits<long long>::max() / 2;  // beyond any mantissa's length
        if (negative)
            exponent = -exponent;
    }
    const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
    const std::size_t first = mantissa.find_first_of("123456789");
    if (first == std::string_view::npos)
        return true;
    const auto order = first < point ? static_cast<long long>(point - first - 1) : -static_cast<long long>(first - point);
    return order + exponent < 0;
}

// The number a whole answer spells, with a decimal point or a decimal comma whatever the locale;
// nothing for any other text.
std::optional<double> AnswerNumber(std::string_view text)
{
    const bool plus = text.starts_with('+');
    std::string answer(text.substr(plus ? 1 : 0));
    if (plus && answer.starts_with('-'))
        return std::nullopt;
    if (answer.find('.') == std::string::npos)
        std::replace(answer.begin(), answer.end(), ',', '.');
    double value = 0;
    const char* end = answer.data() + answer.size();
    const auto [stop, error] = std::from_chars(answer.data(), end, value);
    if (answer.empty() || stop != end)
        return std::nullopt;
    if (error == std::errc::result_out_of_range && Underflows(answer))
        return 0.0;
    if (error != std::errc() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// Rounds to the nearest whole number, halves to the even neighbour, then clamps.
int RoundHalfEven(double value, int low, int high)
{
    const double clamped = std::clamp(value, static_cast<double>(low) - 1.0, static_cast<double>(high) + 1.0);
    std::fesetround(FE_TONEAREST);
    return std::clamp(static_cast<int>(std::nearbyint(clamped)), low, high);
}

NumberAnswer WholeNumberAnswer(std::string_view text, int low, int high)
{
    const std::string_view answer = Trimmed(text);
    if (answer.empty())
        return {};
    const std::optional<double> number = AnswerNumber(answer);
    if (!number)
        return {NumberAnswer::Kind::NotANumber, 0};
    return {NumberAnswer::Kind::Value, RoundHalfEven(*number, low, high)};
}

} // namespace

NumberAnswer PcSamplingAnswer(std::string_view text) { return WholeNumberAnswer(text, 1, 86400); }

NumberAnswer MeterIntervalAnswer(std::string_view text) { return WholeNumberAnswer(text, 1, 255); }

AverageAnswer AverageNumberAnswer(std::string_view text)
{
    const std::string_view answer = Trimmed(text);
    if (answer.empty())
        return {.noChange = true};
    const std::optional<double> number = AnswerNumber(answer);
    if (number && (*number == 4 || *number == 8 || *number == 16))
        return {.value = static_cast<int>(*number)};
    const bool off = answer == "OFF" || answer == "Off" || answer == "off";
    return {.value = 2, .enterError = !off};
}

std::string AverageDefaultText(int averageReply)
{
    return averageReply == 2 ? "OFF" : std::to_string(averageReply);
}

} // namespace voltaryn
