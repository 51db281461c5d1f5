#include "settings/SettingAnswers.h"

#include <algorithm>
#include <cfenv>
#include <charconv>
#include <cmath>
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

// The number a whole answer spells, with a decimal point or a decimal comma whatever the locale;
// nothing for any other text.
std::optional<double> ParseNumber(std::string_view text)
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
    if (answer.empty() || error != std::errc() || stop != end || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// Rounds to the nearest whole number, halves to the even neighbour, then clamps.
int RoundHalfEven(double value, int low, int high)
{
    const double clamped = std::clamp(value, double(low) - 1.0, double(high) + 1.0);
    std::fesetround(FE_TONEAREST);
    return std::clamp(static_cast<int>(std::nearbyint(clamped)), low, high);
}

NumberAnswer WholeNumberAnswer(std::string_view text, int low, int high)
{
    const std::string_view answer = Trimmed(text);
    if (answer.empty())
        return {};
    const std::optional<double> number = ParseNumber(answer);
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
    const std::optional<double> number = ParseNumber(answer);
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
