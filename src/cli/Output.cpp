#include "cli/Output.h"

#include "cli/CliError.h"
#include "common/Overloaded.h"
#include "files/CsvFormat.h"

#include <nlohmann/json.hpp>

#include <algorithm>

namespace voltaryn::cli {
namespace {

std::string ScalarText(const std::variant<std::string, Number, std::nullptr_t>& value)
{
    return std::visit(Overloaded{[](const std::string& text) { return text; },
                                 [](const Number& number) { return number.text; },
                                 [](std::nullptr_t) { return std::string("-"); }},
                      value);
}

// A value as a cell: texts as they are, lists as their words with blanks between.
std::string CellText(const Value& value)
{
    return std::visit(Overloaded{[](const std::string& text) { return text; },
                                 [](long long number) { return std::to_string(number); },
                                 [](const Number& number) { return number.text; },
                                 [](std::nullptr_t) { return std::string(); },
                                 [](bool yes) { return std::string(yes ? "true" : "false"); },
                                 [](const std::vector<std::string>& words) {
                                     std::string text;
                                     for (const std::string& word : words)
                                         text += (text.empty() ? "" : " ") + word;
                                     return text;
                                 },
                                 [](const NamedTexts& named) {
                                     std::string text;
                                     for (const auto& [name, entry] : named.entries) {
                                         if (!text.empty())
                                             text += ' ';
                                         text.append(name).append("=").append(entry);
                                     }
                                     return text;
                                 },
                                 [](const ObjectList& list) {
                                     std::string text;
                                     for (const auto& object : list.objects) {
                                         text += text.empty() ? "" : " ";
                                         for (std::size_t i = 0; i < object.size(); ++i)
                                             text += (i == 0 ? "" : "/") + ScalarText(object[i].second);
                                     }
                                     return text;
                                 }},
                      value);
}

nlohmann::ordered_json Json(const Record& record)
{
    nlohmann::ordered_json json = nlohmann::ordered_json::object();
    for (const auto& [name, value] : record)
        std::visit(Overloaded{[&json, &name = name](const Number& number) { json[name] = number.value; },
                              [&json, &name = name](const NamedTexts& named) {
                                  json[name] = nlohmann::ordered_json::object();
                                  for (const auto& [key, text] : named.entries)
                                      json[name][key] = text;
                              },
                              [&json, &name = name](const ObjectList& list) {
                                  json[name] = nlohmann::ordered_json::array();
                                  for (const auto& object : list.objects) {
                                      nlohmann::ordered_json& item = json[name].emplace_back(nlohmann::ordered_json::object());
                                      for (const auto& [key, entry] : object)
                                          std::visit(Overloaded{[&item, &key = key](const Number& number) { item[key] = number.value; },
                                                                [&item, &key = key](const auto& v) { item[key] = v; }},
                                                     entry);
                                  }
                              },
                              [&json, &name = name](const auto& v) { json[name] = v; }},
                   value);
    return json;
}

std::string TsvCell(const std::string& text)
{
    std::string cell = FormulaGuarded(text);
    std::replace_if(cell.begin(), cell.end(), [](char c) { return c == '\t' || c == '\n' || c == '\r'; }, ' ');
    return cell;
}

std::string Joined(const std::vector<std::string>& cells, Format format)
{
    std::string line;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i > 0)
            line += format == Format::Csv ? ',' : '\t';
        line += format == Format::Csv ? CsvCell(cells[i]) : TsvCell(cells[i]);
    }
    return line;
}

// The width a text takes on a terminal: its characters, not its UTF-8 bytes.
std::size_t Width(const std::string& text)
{
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

} // namespace

Output::Output(std::ostream& out, Format format) : out_(out), format_(format) {}

void Output::Row(const Record& record)
{
    if (format_ != Format::Text) {
        Write(record);
        return;
    }
    if (table_.empty())
        table_.emplace_back();
    std::vector<std::string> row;
    for (const auto& [name, value] : record) {
        if (table_.size() == 1)
            table_.front().push_back(name);
        row.push_back(CellText(value));
    }
    table_.push_back(std::move(row));
}

void Output::Line(const Record& record, const std::string& text)
{
    if (format_ == Format::Text)
        WriteLine(text);
    else
        Write(record);
}

void Output::Document(const std::string& text) { WriteLine(text); }

void Output::Raw(const std::string& text) { out_ << text << std::flush; }

void Output::End()
{
    std::vector<std::size_t> widths;
    for (const auto& row : table_) {
        widths.resize(std::max(widths.size(), row.size()));
        for (std::size_t c = 0; c < row.size(); ++c)
            widths[c] = std::max(widths[c], Width(row[c]));
    }
    for (const auto& row : table_) {
        std::string line;
        for (std::size_t c = 0; c < row.size(); ++c)
            line += row[c] + (c + 1 < row.size() ? std::string(widths[c] - Width(row[c]) + 2, ' ') : "");
        WriteLine(line);
    }
    table_.clear();
    if (!out_)
        throw CliError(ExitCode::FileFailed, "the output could not be written");
}

void Output::Write(const Record& record)
{
    if (format_ == Format::Json) {
        WriteLine(Json(record).dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace));
        return;
    }
    std::vector<std::string> names;
    std::vector<std::string> cells;
    for (const auto& [name, value] : record) {
        names.push_back(name);
        cells.push_back(CellText(value));
    }
    if (!headerWritten_)
        WriteLine(Joined(names, format_));
    headerWritten_ = true;
    WriteLine(Joined(cells, format_));
}

void Output::WriteLine(const std::string& line) { out_ << line << '\n' << std::flush; }

} // namespace voltaryn::cli
