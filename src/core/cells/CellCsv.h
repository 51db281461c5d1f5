#pragma once

#include "files/CsvFormat.h"

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace voltaryn::cells {

// A CSV of cells as chargers, testers and spreadsheets write it: comma or semicolon separated
// (the header line decides; with semicolons a decimal comma is read too), its header line, then
// its rows with their line numbers. Blank rows are left out.
struct CellCsv {
    char separator = ',';
    RecordRow header;
    std::vector<CsvRecord> rows;

    // The column whose header is `name` in any case, blanks around it ignored.
    std::optional<std::size_t> Column(std::string_view name) const;
    // A cell of `row`, blanks around it trimmed; empty past the row's end.
    static std::string_view Cell(const CsvRecord& row, std::size_t column);
    // A number as the file writes it; none when the text is not a finite number.
    std::optional<double> Number(std::string_view text) const;
};

CellCsv ReadCellCsv(std::string_view text);

std::string_view TrimBlanks(std::string_view text);

// "line 17: " and what is wrong on it.
std::string AtLine(std::size_t line, const std::string& problem);

// The cell IDs of a file's lines, as NormalCellId spells them, with the line each was first on.
class IdLines {
public:
    struct LineId {
        std::string id;
        std::optional<std::string> problem;  // "no cell ID", the name rule's, "cell '#0003' is already on line 3"
    };
    // The ID `text` on `line`, or why it is bad: none, refused, or the cell of an earlier line.
    LineId Read(std::string_view text, std::size_t line);

private:
    std::unordered_map<std::string, std::size_t> lines_;
};

} // namespace voltaryn::cells
