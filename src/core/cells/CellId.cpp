#include "cells/CellId.h"

#include "cells/NameRule.h"
#include "text/CharacterCodes.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>

namespace voltaryn::cells {
namespace {

// The number that `digits`, all decimal digits, spell; nullopt when there are none or it is too
// large to be a cell's number (then the ID is a label).
std::optional<std::int64_t> NumberIn(std::string_view digits)
{
    if (digits.empty() || !std::ranges::all_of(digits, IsDigit))
        return std::nullopt;
    std::int64_t number = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    return error == std::errc() ? std::optional(number) : std::nullopt;
}

} // namespace

std::string NumberedCellName(std::int64_t number)
{
    std::array<char, 24> text{};
    std::snprintf(text.data(), text.size(), "#%04lld", static_cast<long long>(number));
    return text.data();
}

std::string NormalCellId(std::string_view id)
{
    std::string name = CheckedName(NameKind::CellId, id);
    const std::optional<std::int64_t> number = NumberIn(name.starts_with('#') ? name.substr(1) : name);
    if (!number)
        return name;
    if (*number == 0)
        throw NameRefused({NameKind::CellId, NameFault::Reason::CellZero});
    return NumberedCellName(*number);
}

std::optional<std::int64_t> CellNumberOf(std::string_view normalId)
{
    return normalId.starts_with('#') ? NumberIn(normalId.substr(1)) : std::nullopt;
}

} // namespace voltaryn::cells
