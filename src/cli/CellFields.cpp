#include "cli/CellFields.h"

#include <array>
#include <charconv>

namespace voltaryn::cli {

Value Measured(const std::optional<double>& value)
{
    if (!value)
        return nullptr;
    std::array<char, 32> text{};
    char* end = std::to_chars(text.data(), text.data() + text.size(), *value).ptr;
    return Number{*value, std::string(text.data(), end)};
}

} // namespace voltaryn::cli
