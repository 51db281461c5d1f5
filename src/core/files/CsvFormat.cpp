#include "files/CsvFormat.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>

namespace voltaryn {
namespace {

// The characters a spreadsheet takes as the start of a formula.
constexpr std::string_view FormulaStarts = "=+-@\t\r";

// Whether `text` is a finite number written out whole, as the program writes numbers ("-2.008"),
// or with a decimal comma, as the user's language may write them ("-2,008").
bool IsNumber(std::string_view text)
{
    std::string number(text);
    if (const std::size_t comma = number.find(','); comma != std::string::npos && number.find('.') == std::string::npos)
        number[comma] = '.';
    double value = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    return error == std::errc() && end == number.data() + number.size() && std::isfinite(value);
}

// A cell as read, without the ' that CsvCell put before a formula's first character.
std::string Unguarded(std::string cell)
{
    if (cell.size() > 1 && cell.front() == '\'' && FormulaStarts.find(cell[1]) != std::string_view::npos)
        cell.erase(0, 1);
    return cell;
}

} // namespace

bool IsCsvName(const std::filesystem::path& file)
{
    std::string extension = file.extension().string();
    std::ranges::transform(extension, extension.begin(), [](unsigned char c) { return std::tolower(c); });
    return extension == ".csv";
}

std::string FormulaGuarded(std::string_view text)
{
    std::string cell;
    if (!text.empty() && FormulaStarts.find(text.front()) != std::string_view::npos && !IsNumber(text))
        cell = '\'';
    return cell += text;
}

std::string CsvCell(std::string_view text, char separator)
{
    std::string cell = FormulaGuarded(text);
    if (cell.find_first_of(std::string{separator} + "\"\r\n") == std::string::npos)
        return cell;
    std::string quoted = "\"";
    for (const char ch : cell)
        quoted += ch == '"' ? std::string("\"\"") : std::string(1, ch);
    return quoted + '"';
}

std::string CsvLine(const RecordRow& row, std::size_t columns)
{
    std::string line;
    for (std::size_t c = 0; c < columns; ++c) {
        if (c > 0)
            line += ',';
        if (c < row.size())
            line += CsvCell(row[c]);
    }
    return line + "\r\n";
}

std::vector<RecordRow> ParseCsv(std::string_view text)
{
    std::vector<RecordRow> rows;
    for (CsvRecord& record : ParseCsvRecords(text))
        rows.push_back(std::move(record.cells));
    return rows;
}

std::vector<CsvRecord> ParseCsvRecords(std::string_view text, char separator)
{
    if (text.starts_with(Utf8ByteOrderMark))
        text.remove_prefix(Utf8ByteOrderMark.size());
    std::vector<CsvRecord> rows;
    CsvRecord row{1, {}};
    std::size_t line = 1;
    std::string cell;
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char ch = text[i];
        if (quoted) {
            if (ch == '\n')
                ++line;
            if (ch != '"')
                cell += ch;
            else if (i + 1 < text.size() && text[i + 1] == '"')
                cell += text[++i];
            else
                quoted = false;
        } else if (ch == '"') {
            quoted = true;
        } else if (ch == separator) {
            row.cells.push_back(Unguarded(std::move(cell)));
            cell.clear();
        } else if (ch == '\r' || ch == '\n') {
            if (ch == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            row.cells.push_back(Unguarded(std::move(cell)));
            cell.clear();
            rows.push_back(std::move(row));
            row = {++line, {}};
        } else {
            cell += ch;
        }
    }
    if (!cell.empty() || !row.cells.empty()) {
        row.cells.push_back(Unguarded(std::move(cell)));
        rows.push_back(std::move(row));
    }
    return rows;
}

char DetectCsvSeparator(std::string_view text)
{
    std::size_t commas = 0;
    std::size_t semicolons = 0;
    bool quoted = false;
    for (const char ch : text) {
        if (ch == '"')
            quoted = !quoted;
        else if (!quoted && (ch == '\r' || ch == '\n'))
            break;
        else if (!quoted && ch == ',')
            ++commas;
        else if (!quoted && ch == ';')
            ++semicolons;
    }
    return semicolons > commas ? ';' : ',';
}

} // namespace voltaryn
