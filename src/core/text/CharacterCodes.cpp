#include "text/CharacterCodes.h"

#include <algorithm>
#include <array>

namespace voltaryn {
namespace {

// Code points of Windows-1252 codes 0x80..0x9F; the five undefined codes keep their own number.
constexpr std::array<char32_t, 32> HighControlRange = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

void AppendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

char32_t CodePoint(std::uint8_t code)
{
    return code >= 0x80 && code < 0xA0 ? HighControlRange[code - 0x80] : char32_t{code};
}

} // namespace

std::string CharacterFromCode(std::uint8_t code)
{
    std::string out;
    AppendUtf8(out, CodePoint(code));
    return out;
}

std::string Windows1252ToUtf8(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text)
        AppendUtf8(out, CodePoint(static_cast<std::uint8_t>(c)));
    return out;
}

std::optional<char32_t> NextCodePoint(std::string_view text, std::size_t& at)
{
    struct Lead {
        unsigned char mask, pattern;
        std::size_t length;
        char32_t lowest;
    };
    constexpr Lead leads[] = {{0xE0, 0xC0, 2, 0x80}, {0xF0, 0xE0, 3, 0x800}, {0xF8, 0xF0, 4, 0x10000}};
    const auto first = static_cast<unsigned char>(text[at]);
    if (first < 0x80) {
        ++at;
        return first;
    }
    const Lead* lead = std::find_if(std::begin(leads), std::end(leads),
                                    [first](const Lead& l) { return (first & l.mask) == l.pattern; });
    if (lead == std::end(leads) || text.size() - at < lead->length)
        return std::nullopt;
    char32_t code = first & static_cast<unsigned char>(~lead->mask);
    for (std::size_t k = 1; k < lead->length; ++k) {
        const auto next = static_cast<unsigned char>(text[at + k]);
        if ((next & 0xC0) != 0x80)
            return std::nullopt;
        code = code << 6 | (next & 0x3F);
    }
    if (code < lead->lowest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return std::nullopt;
    at += lead->length;
    return code;
}

bool IsUtf8(std::string_view text)
{
    for (std::size_t at = 0; at < text.size();) {
        if (!NextCodePoint(text, at))
            return false;
    }
    return true;
}

std::string Printable(std::string_view text)
{
    std::string out;
    for (const char c : text) {
        if (c >= ' ' && c <= '~')
            out += c;
        else if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
            out += '?';
    }
    return out;
}

} // namespace voltaryn
