#pragma once

#include <cstddef>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace voltaryn::cells {

// What a name names; messages say it ("the station ...").
enum class NameKind { Batch, CellId, Grade, Station, Operator };

inline constexpr std::size_t MaxNameLength = 200;  // characters, not bytes

// A name typed, scanned or read from a file, refused; its text is one line fit to show.
class NameRefused : public std::invalid_argument {
public:
    using std::invalid_argument::invalid_argument;
};

// The one rule for batch names, cell IDs, grade names, stations and operators: blanks around the
// text are trimmed, and what is left must be UTF-8 of at most MaxNameLength characters with no
// control character (C0, DEL, C1, the line and paragraph separators, and the bidirectional
// embeddings, overrides and isolates, which reorder what a terminal or a table shows). A batch and
// a grade need a name; a cell ID, station and operator may be empty.
// Why `text` is refused ("the station holds the control character U+001B"); nullopt when it is not.
std::optional<std::string> NameProblem(NameKind kind, std::string_view text);
// The name as kept: trimmed. Throws NameRefused with NameProblem's text.
std::string CheckedName(NameKind kind, std::string_view text);

} // namespace voltaryn::cells
