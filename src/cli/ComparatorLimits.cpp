#include "cli/ComparatorLimits.h"

#include "meter/RangeTexts.h"

#include <algorithm>
#include <cctype>
#include <optional>

namespace voltaryn::cli {
namespace {

// A number written with digits and at most one point.
struct Decimal {
    int digits = 0;        // all its digits as one number: "1.23" gives 123
    int decimals = 0;      // digits after the point
    int wholeDigits = 0;   // digits before it
};

std::optional<Decimal> ReadDecimal(const std::string& text)
{
    Decimal number;
    bool point = false;
    int count = 0;
    for (char c : text) {
        if (c == '.' && !point) {
            point = true;
        } else if (std::isdigit(static_cast<unsigned char>(c)) != 0 && count < 5) {
            number.digits = number.digits * 10 + (c - '0');
            ++(point ? number.decimals : number.wholeDigits);
            ++count;
        } else {
            return std::nullopt;
        }
    }
    return count == 0 ? std::nullopt : std::optional(number);
}

// The four-digit count of `number` shown with `decimals` decimals; nothing when it does not fit.
std::optional<int> CountAt(const Decimal& number, int decimals)
{
    if (number.decimals > decimals)
        return std::nullopt;
    int count = number.digits;
    for (int i = number.decimals; i < decimals; ++i)
        count *= 10;
    return count <= MaxComparatorCount ? std::optional(count) : std::nullopt;
}

// The text as it is compared: without blanks, in lower case.
std::string Compact(std::string text)
{
    std::erase(text, ' ');
    std::transform(text.begin(), text.end(), text.begin(),
                   [](char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); });
    return text;
}

} // namespace

std::variant<OhmEditor, std::string> ReadOhmLimit(const std::string& text)
{
    const std::string compact = Compact(text);
    const std::size_t slash = compact.find('/');
    const auto* const range = std::find_if(RangeTexts.begin(), RangeTexts.end(), [&](std::string_view name) {
        return slash != std::string::npos && Compact(std::string(name)) == compact.substr(slash + 1);
    });
    if (range == RangeTexts.end())
        return "\"" + text + "\" is no value/range such as 1.234/4mOhm (ranges 4mOhm to 400Ohm)";
    // Within mOhm and Ohm alike, the ranges 4, 40 and 400 have 3, 2 and 1 decimals.
    const auto index = static_cast<int>(range - RangeTexts.begin());
    const int decimals = 3 - index % 3;
    const std::optional<Decimal> value = ReadDecimal(compact.substr(0, slash));
    const std::optional<int> count = value ? CountAt(*value, decimals) : std::nullopt;
    if (!count)
        return "\"" + text + "\": the value does not fit the " + std::string(*range) + " range";
    return OhmEditor{SplitDigits(*count), decimals, std::string(index < 3 ? MilliOhmUnitText : OhmUnitText)};
}

std::variant<VoltEditor, std::string> ReadVoltLimit(const std::string& text)
{
    const std::optional<Decimal> value = ReadDecimal(Compact(text));
    const int decimals = value && value->wholeDigits <= 1 ? 3 : 2;
    const std::optional<int> count = value && value->wholeDigits <= 2 ? CountAt(*value, decimals) : std::nullopt;
    if (!count)
        return "\"" + text + "\" is no voltage limit such as 1.234 or 12.50";
    return VoltEditor{SplitDigits(*count), decimals};
}

} // namespace voltaryn::cli
