#include "cells/CapacityCsv.h"

#include "cells/CellCsv.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <optional>

namespace voltaryn::cells {
namespace {

// A header as words: lower case, "_", "-", brackets and blanks all separating.
std::vector<std::string> HeaderWords(std::string_view header)
{
    std::vector<std::string> words(1);
    for (const char ch : header) {
        if (std::isalnum(static_cast<unsigned char>(ch)) != 0)
            words.back() += static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        else if (!words.back().empty())
            words.emplace_back();
    }
    if (words.back().empty())
        words.pop_back();
    return words;
}

bool IsIdHeader(const std::vector<std::string>& words)
{
    using Words = std::vector<std::string>;
    return words == Words{"id"} || words == Words{"cell"} || words == Words{"cell", "id"} || words == Words{"serial"};
}

// Whether a header names a capacity column, and in which unit.
enum class CapacityUnit { None, MilliampereHours, AmpereHours };

CapacityUnit CapacityHeaderUnit(const std::vector<std::string>& words)
{
    if (words.empty() || words.size() > 2)
        return CapacityUnit::None;
    const std::string& unit = words.back();
    if (words.size() == 1)
        return unit == "mah" || unit == "capacity" || unit == "cap" ? CapacityUnit::MilliampereHours
               : unit == "ah"                                        ? CapacityUnit::AmpereHours
                                                                     : CapacityUnit::None;
    if (words.front() != "capacity" && words.front() != "cap")
        return CapacityUnit::None;
    return unit == "mah" ? CapacityUnit::MilliampereHours : unit == "ah" ? CapacityUnit::AmpereHours : CapacityUnit::None;
}

// The unit of a column the user named: Ah when its header says so, else mAh.
CapacityUnit NamedUnit(const std::vector<std::string>& words)
{
    return !words.empty() && words.back() == "ah" ? CapacityUnit::AmpereHours : CapacityUnit::MilliampereHours;
}

// The column `named`, or the first whose header `matches` accepts.
template <typename Matches>
std::optional<std::size_t> FindColumn(const CellCsv& csv, const std::string& named, Matches matches)
{
    if (!named.empty())
        return csv.Column(named);
    for (std::size_t c = 0; c < csv.header.size(); ++c) {
        if (matches(HeaderWords(csv.header[c])))
            return c;
    }
    return std::nullopt;
}

std::string MissingColumn(const std::string& named, const char* what, const char* looked)
{
    return AtLine(1, named.empty() ? std::string("no ") + what + " column (a header named " + looked + ")"
                                   : "no column '" + named + "'");
}

// Ampere-hours times 1000, to a millionth of a mAh: "3.107" Ah is 3107 mAh, not 3106.9999999999995.
double InMilliampereHours(double value, double scale)
{
    return scale == 1 ? value : std::round(value * scale * 1e6) / 1e6;
}

// The unit written after a capacity's number, if any: the number's text and its scale to mAh.
std::pair<std::string_view, std::optional<double>> SplitUnit(std::string_view text)
{
    text = TrimBlanks(text);
    const auto endsWith = [&text](std::string_view unit) {
        return text.size() >= unit.size()
               && std::equal(unit.rbegin(), unit.rend(), text.rbegin(), [](char u, char t) {
                      return u == std::tolower(static_cast<unsigned char>(t));
                  });
    };
    for (const auto& [unit, scale] : {std::pair{std::string_view("mah"), 1.0}, std::pair{std::string_view("ah"), 1000.0}}) {
        if (endsWith(unit))
            return {TrimBlanks(text.substr(0, text.size() - unit.size())), scale};
    }
    return {text, std::nullopt};
}

} // namespace

std::optional<std::string> CapacityProblem(double milliAmpHours)
{
    if (!std::isfinite(milliAmpHours))
        return "is not a finite number";
    if (milliAmpHours <= 0)
        return "is not above 0";
    if (milliAmpHours > MaxCapacityMah)
        return "is above " + std::to_string(static_cast<long long>(MaxCapacityMah)) + " mAh";
    return std::nullopt;
}

std::variant<double, std::string> ReadCapacity(const CellCsv& csv, std::string_view text, bool ampereHours,
                                               std::string_view column)
{
    const auto [digits, unitScale] = SplitUnit(text);
    const std::optional<double> value = csv.Number(digits);
    const std::string quoted = std::string(column) + " '" + std::string(TrimBlanks(text)) + "' ";
    if (!value)
        return quoted + "is not a number";
    const double milliAmpHours = InMilliampereHours(*value, unitScale.value_or(ampereHours ? 1000 : 1));
    if (const std::optional<std::string> problem = CapacityProblem(milliAmpHours))
        return quoted + *problem;
    return milliAmpHours;
}

CapacityFile ReadCapacityCsv(std::string_view text, const CapacityColumns& columns)
{
    CapacityFile file;
    const CellCsv csv = ReadCellCsv(text);
    const std::optional<std::size_t> idColumn = FindColumn(csv, columns.id, IsIdHeader);
    const std::optional<std::size_t> capacityColumn = FindColumn(
        csv, columns.capacity, [](const std::vector<std::string>& words) { return CapacityHeaderUnit(words) != CapacityUnit::None; });
    if (!idColumn)
        file.problems.push_back(MissingColumn(columns.id, "cell ID", "id, cell, cell id or serial"));
    if (!capacityColumn)
        file.problems.push_back(MissingColumn(columns.capacity, "capacity", "capacity, capacity_mah, mah or cap"));
    if (!file.problems.empty())
        return file;

    const std::vector<std::string> capacityWords = HeaderWords(csv.header[*capacityColumn]);
    const CapacityUnit unit = columns.capacity.empty() ? CapacityHeaderUnit(capacityWords) : NamedUnit(capacityWords);
    IdLines seen;
    for (const CsvRecord& row : csv.rows) {
        auto [id, problem] = seen.Read(CellCsv::Cell(row, *idColumn), row.line);
        const auto capacity =
            ReadCapacity(csv, CellCsv::Cell(row, *capacityColumn), unit == CapacityUnit::AmpereHours, "capacity");
        if (!problem && std::holds_alternative<std::string>(capacity))
            problem = std::get<std::string>(capacity);
        if (problem)
            file.problems.push_back(AtLine(row.line, *problem));
        else
            file.rows.push_back({row.line, id, std::get<double>(capacity)});
    }
    return file;
}

std::vector<std::string> CellsNotInBatch(std::span<const CapacityRow> rows, const std::unordered_set<std::string>& batchIds,
                                         std::string_view batch)
{
    std::vector<std::string> problems;
    for (const CapacityRow& row : rows) {
        if (!batchIds.contains(row.id))
            problems.push_back(AtLine(row.line, "cell '" + row.id + "' is not in batch " + std::string(batch)));
    }
    return problems;
}

} // namespace voltaryn::cells
