#pragma once

#include "files/RecordTable.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace voltaryn {

// Comma-separated values as spreadsheets read them without asking: UTF-8 with a byte order mark,
// comma separators, CR LF line ends, and a cell in double quotes, its quotes doubled, when it
// holds a comma, a quote or a line break.

inline constexpr std::string_view Utf8ByteOrderMark = "\xEF\xBB\xBF";

// Whether a file name asks for CSV: it ends in ".csv", in any case.
bool IsCsvName(const std::filesystem::path& file);

// A text that a spreadsheet would take for a formula (one starting with =, +, -, @, TAB or CR)
// after a ' that keeps it text, as every CSV, tab-separated output and copied table holds it. A
// number stays a number: "-2.008", and "-2,008" with a decimal comma, are written as they are.
std::string FormulaGuarded(std::string_view text);

// One cell as every CSV the program writes holds it: formula-guarded, in double quotes when it
// holds the `separator`, a quote or a line break.
std::string CsvCell(std::string_view text, char separator = ',');

// One line of `columns` cells (cells the row lacks are empty), with its CR LF.
std::string CsvLine(const RecordRow& row, std::size_t columns);

// The rows of a CSV text, a leading byte order mark skipped; the last line may lack its line end.
// The ' that CsvCell puts before a formula's first character is dropped again.
std::vector<RecordRow> ParseCsv(std::string_view text);

// A row with the number (from 1) of the line it starts on: a quoted cell may span lines.
struct CsvRecord {
    std::size_t line = 0;
    RecordRow cells;
};

// As ParseCsv, with `separator` between cells and each row's line number.
std::vector<CsvRecord> ParseCsvRecords(std::string_view text, char separator = ',');

// The separator a file's first line uses: ';' when it holds more semicolons than commas outside
// quotes (as spreadsheets write CSV where the comma is the decimal sign), else ','.
char DetectCsvSeparator(std::string_view text);

} // namespace voltaryn
