#include "cli/CellFields.h"

#include <array>
#include <charconv>
#include <iomanip>
#include <sstream>

namespace voltaryn::cli {

Value Measured(const std::optional<double>& value)
{
    if (!value)
        return nullptr;
    std::array<char, 32> text{};
    char* end = std::to_chars(text.data(), text.data() + text.size(), *value).ptr;
    return Number{*value, std::string(text.data(), end)};
}

std::string Fixed(double value, int decimals)
{
    std::ostringstream text;
    text << std::fixed << std::setprecision(decimals) << value;
    return text.str();
}

} // namespace voltaryn::cli
