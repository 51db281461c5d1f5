#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace voltaryn {

// The character with an 8-bit code (Windows-1252, the meter's and older data files' code page)
// as UTF-8 text. Code 0 gives the one-character string "\0"; codes the code page leaves
// undefined map to the C1 control character of the same number.
std::string CharacterFromCode(std::uint8_t code);

// A whole Windows-1252 text as UTF-8.
std::string Windows1252ToUtf8(std::string_view text);

// The character of well-formed UTF-8 that starts at `at`, which moves past it; nullopt (and `at`
// left as it is) for a stray continuation byte, an overlong form, a surrogate, a code beyond
// U+10FFFF or a sequence cut short.
std::optional<char32_t> NextCodePoint(std::string_view text, std::size_t& at);

// Whether `text` is well-formed UTF-8 throughout.
bool IsUtf8(std::string_view text);

inline bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Whether a byte is a character a display field can show: printable ASCII, or code 0 (none).
inline bool IsDisplayCharacter(char c) { return c == '\0' || (c >= ' ' && c <= '~'); }

// A text from the meter as a message can quote it: each character but printable ASCII (a UTF-8
// sequence counting as one) becomes "?".
std::string Printable(std::string_view text);

} // namespace voltaryn
