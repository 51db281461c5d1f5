#include "cells/NameRule.h"

#include "text/CharacterCodes.h"

#include <array>
#include <cstdio>
#include <vector>

namespace voltaryn::cells {
namespace {

// The blanks trimmed around a name: those QString::trimmed() takes as well, so that a name
// typed into a field and one read from a file are trimmed alike.
bool IsBlank(char32_t c)
{
    return (c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0x85 || c == 0xA0 || c == 0x1680 || (c >= 0x2000 && c <= 0x200A)
           || c == 0x2028 || c == 0x2029 || c == 0x202F || c == 0x205F || c == 0x3000;
}

bool IsControl(char32_t c)
{
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x2028 || c == 0x2029 || (c >= 0x202A && c <= 0x202E)
           || (c >= 0x2066 && c <= 0x2069);
}

const char* Subject(NameKind kind)
{
    constexpr std::array subjects = {"the batch name", "the cell ID", "the grade name", "the station", "the operator",
                                    "the site name", "the string name"};
    return subjects.at(static_cast<std::size_t>(kind));
}

std::string CodeText(char32_t c)
{
    std::array<char, 16> text{};
    std::snprintf(text.data(), text.size(), "U+%04X", static_cast<unsigned>(c));
    return text.data();
}

// The characters of `text` with where each starts; nullopt when it is not UTF-8.
struct Character {
    char32_t code;
    std::size_t at;
};
std::optional<std::vector<Character>> Characters(std::string_view text)
{
    std::vector<Character> characters;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t start = at;
        const std::optional<char32_t> code = NextCodePoint(text, at);
        if (!code)
            return std::nullopt;
        characters.push_back({*code, start});
    }
    return characters;
}

// The text with its blanks trimmed, or why it is refused.
struct Checked {
    std::string name;
    std::optional<NameFault> problem;
};

Checked Check(NameKind kind, std::string_view text)
{
    using Reason = NameFault::Reason;
    const std::optional<std::vector<Character>> characters = Characters(text);
    if (!characters)
        return {{}, NameFault{kind, Reason::NotUtf8}};
    auto first = characters->begin();
    auto last = characters->end();
    while (first != last && IsBlank(first->code))
        ++first;
    while (last != first && IsBlank((last - 1)->code))
        --last;
    const std::size_t end = last == characters->end() ? text.size() : last->at;
    Checked checked{first == last ? std::string() : std::string(text.substr(first->at, end - first->at)), {}};
    const auto length = static_cast<std::size_t>(last - first);
    if (length == 0 && kind != NameKind::CellId && kind != NameKind::Station && kind != NameKind::Operator)
        checked.problem = NameFault{kind, Reason::Empty};
    else if (length > MaxNameLength)
        checked.problem = NameFault{kind, Reason::TooLong, length};
    for (auto c = first; !checked.problem && c != last; ++c) {
        if (IsControl(c->code))
            checked.problem = NameFault{kind, Reason::ControlCharacter, 0, c->code};
    }
    return checked;
}

} // namespace

std::string NameFaultText(const NameFault& fault)
{
    const std::string subject = Subject(fault.kind);
    switch (fault.reason) {
    case NameFault::Reason::NotUtf8: return subject + " is not UTF-8 text";
    case NameFault::Reason::Empty: return subject + " is empty";
    case NameFault::Reason::TooLong:
        return subject + " is " + std::to_string(fault.length) + " characters long; at most "
               + std::to_string(MaxNameLength) + " are allowed";
    case NameFault::Reason::ControlCharacter: return subject + " holds the control character " + CodeText(fault.character);
    case NameFault::Reason::CellZero: return subject + " names cell 0: cell numbers start at 1";
    }
    return subject + " is refused";
}

std::optional<NameFault> NameFaultOf(NameKind kind, std::string_view text) { return Check(kind, text).problem; }

std::optional<std::string> NameProblem(NameKind kind, std::string_view text)
{
    const std::optional<NameFault> fault = NameFaultOf(kind, text);
    return fault ? std::optional(NameFaultText(*fault)) : std::nullopt;
}

std::string CheckedName(NameKind kind, std::string_view text)
{
    Checked checked = Check(kind, text);
    if (checked.problem)
        throw NameRefused(*checked.problem);
    return std::move(checked.name);
}

} // namespace voltaryn::cells
