#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace voltaryn {

// The character with an 8-bit code (Windows-1252, the meter's and older data files' code page)
// as UTF-8 text. Code 0 gives the one-character string "\0"; codes the code page leaves
// undefined map to the C1 control character of the same number.
std::string CharacterFromCode(std::uint8_t code);

// A whole Windows-1252 text as UTF-8.
std::string Windows1252ToUtf8(std::string_view text);

inline bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Whether a byte is a character a display field can show: printable ASCII, or code 0 (none).
inline bool IsDisplayCharacter(char c) { return c == '\0' || (c >= ' ' && c <= '~'); }

// A text from the meter as a message can quote it: each character but printable ASCII (a UTF-8
// sequence counting as one) becomes "?".
std::string Printable(std::string_view text);

} // namespace voltaryn
