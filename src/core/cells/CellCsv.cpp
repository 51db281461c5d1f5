#include "cells/CellCsv.h"

#include "cells/CellId.h"
#include "cells/NameRule.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>

namespace voltaryn::cells {
namespace {

std::string Lower(std::string_view text)
{
    std::string lower(text);
    std::ranges::transform(lower, lower.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

} // namespace

std::string_view TrimBlanks(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

CellCsv ReadCellCsv(std::string_view text)
{
    CellCsv csv;
    csv.separator = DetectCsvSeparator(text);
    std::vector<CsvRecord> records = ParseCsvRecords(text, csv.separator);
    for (std::size_t r = 0; r < records.size(); ++r) {
        if (r == 0)
            csv.header = std::move(records[r].cells);
        else if (std::ranges::any_of(records[r].cells, [](const std::string& cell) { return !TrimBlanks(cell).empty(); }))
            csv.rows.push_back(std::move(records[r]));
    }
    return csv;
}

std::optional<std::size_t> CellCsv::Column(std::string_view name) const
{
    const std::string wanted = Lower(TrimBlanks(name));
    for (std::size_t c = 0; c < header.size(); ++c) {
        if (Lower(TrimBlanks(header[c])) == wanted)
            return c;
    }
    return std::nullopt;
}

std::string_view CellCsv::Cell(const CsvRecord& row, std::size_t column)
{
    return column < row.cells.size() ? TrimBlanks(row.cells[column]) : std::string_view();
}

std::optional<double> CellCsv::Number(std::string_view text) const
{
    std::string digits(TrimBlanks(text));
    if (separator == ';')
        std::ranges::replace(digits, ',', '.');
    double value = 0;
    const char* end = digits.data() + digits.size();
    const auto [stop, error] = std::from_chars(digits.data(), end, value);
    if (digits.empty() || stop != end || error != std::errc() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::string AtLine(std::size_t line, const std::string& problem)
{
    return "line " + std::to_string(line) + ": " + problem;
}

IdLines::LineId IdLines::Read(std::string_view text, std::size_t line)
{
    LineId read;
    try {
        read.id = NormalCellId(text);
    } catch (const NameRefused& refused) {
        read.problem = refused.what();
        return read;
    }
    if (read.id.empty()) {
        read.problem = "no cell ID";
        return read;
    }
    const auto [earlier, added] = lines_.try_emplace(read.id, line);
    if (!added)
        read.problem = "cell '" + read.id + "' is already on line " + std::to_string(earlier->second);
    return read;
}

} // namespace voltaryn::cells
