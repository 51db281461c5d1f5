#include "files/CsvFormat.h"

#include <algorithm>
#include <cctype>

namespace voltaryn {

bool IsCsvName(const std::filesystem::path& file)
{
    std::string extension = file.extension().string();
    std::ranges::transform(extension, extension.begin(), [](unsigned char c) { return std::tolower(c); });
    return extension == ".csv";
}

std::string CsvLine(const RecordRow& row, std::size_t columns)
{
    std::string line;
    for (std::size_t c = 0; c < columns; ++c) {
        if (c > 0)
            line += ',';
        const std::string_view cell = c < row.size() ? std::string_view(row[c]) : std::string_view();
        if (cell.find_first_of(",\"\r\n") == std::string_view::npos) {
            line += cell;
            continue;
        }
        line += '"';
        for (const char ch : cell) {
            if (ch == '"')
                line += '"';
            line += ch;
        }
        line += '"';
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
            row.cells.push_back(std::move(cell));
            cell.clear();
        } else if (ch == '\r' || ch == '\n') {
            if (ch == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            row.cells.push_back(std::move(cell));
            cell.clear();
            rows.push_back(std::move(row));
            row = {++line, {}};
        } else {
            cell += ch;
        }
    }
    if (!cell.empty() || !row.cells.empty()) {
        row.cells.push_back(std::move(cell));
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
