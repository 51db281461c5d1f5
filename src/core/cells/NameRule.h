#pragma once

#include <cstddef>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace voltaryn::cells {

// What a name names; messages say it ("the station ...").
enum class NameKind { Batch, CellId, Grade, Station, Operator, Site, String };

inline constexpr std::size_t MaxNameLength = 200;  // characters, not bytes

// Why a name is refused, for each surface to word in its own language.
struct NameFault {
    enum class Reason { NotUtf8, Empty, TooLong, ControlCharacter, CellZero };
    NameKind kind;
    Reason reason;
    std::size_t length = 0;   // TooLong: the characters it has
    char32_t character = 0;   // ControlCharacter: the first one
};

// The fault in English, one line: "the station holds the control character U+001B".
std::string NameFaultText(const NameFault& fault);

// A name typed, scanned or read from a file, refused; what() is its fault in English.
class NameRefused : public std::invalid_argument {
public:
    explicit NameRefused(const NameFault& fault) : std::invalid_argument(NameFaultText(fault)), fault_(fault) {}
    const NameFault& Fault() const { return fault_; }

private:
    NameFault fault_;
};

// The one rule for batch names, cell IDs, grade names, stations, operators, sites and battery
// strings: blanks around the text are trimmed, and what is left must be UTF-8 of at most
// MaxNameLength characters with no control character (C0, DEL, C1, the line and paragraph
// separators, and the bidirectional embeddings, overrides and isolates, which reorder what a
// terminal or a table shows). A cell ID, station and operator may be empty; the others need a name.
// Why `text` is refused; nullopt when it is not.
std::optional<NameFault> NameFaultOf(NameKind kind, std::string_view text);
// NameFaultOf in English ("the station holds the control character U+001B").
std::optional<std::string> NameProblem(NameKind kind, std::string_view text);
// The name as kept: trimmed. Throws NameRefused with NameProblem's text.
std::string CheckedName(NameKind kind, std::string_view text);

} // namespace voltaryn::cells
