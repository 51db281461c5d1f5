#include "cells/PackCellsCsv.h"

#include "cells/CapacityCsv.h"
#include "cells/CellCsv.h"
#include "cells/Grades.h"
#include "cells/SelfDischarge.h"

namespace voltaryn::cells {
namespace {

// A figure of a cell in its column's unit, or what is wrong with it.
using Figure = std::variant<double, std::string>;

Figure PlainNumber(const CellCsv& csv, std::string_view text, const char* column)
{
    if (const std::optional<double> value = csv.Number(text))
        return *value;
    return std::string(column) + " '" + std::string(text) + "' is not a number";
}

Figure Capacity(const CellCsv& csv, std::string_view text, const char* column)
{
    return ReadCapacity(csv, text, false, column);
}

} // namespace

PackCellsFile ReadPackCellsCsv(std::string_view text)
{
    PackCellsFile file;
    const CellCsv csv = ReadCellCsv(text);
    const std::optional<std::size_t> idColumn = csv.Column("cell");
    const std::optional<std::size_t> capacityColumn = csv.Column("capacity_mah");
    for (const auto& [column, name] : {std::pair{idColumn, "cell"}, std::pair{capacityColumn, "capacity_mah"}}) {
        if (!column)
            file.problems.push_back(AtLine(1, std::string("no column '") + name + "'"));
    }
    if (!file.problems.empty())
        return file;
    const std::optional<std::size_t> gradeColumn = csv.Column("grade");
    const std::optional<std::size_t> packColumn = csv.Column("pack");
    const std::optional<std::size_t> selfDischargeColumn = csv.Column("self_discharge");
    const std::string rejectGrade = DefaultLiIonGrades().Reject.Name;
    const auto cellText = [](const CsvRecord& row, std::optional<std::size_t> column) {
        return column ? CellCsv::Cell(row, *column) : std::string_view();
    };
    // The figures of a cell: where each goes, the column that holds it and how it is read.
    const struct {
        const char* name;
        double PackCell::*figure;
        std::optional<std::size_t> column;
        Figure (*read)(const CellCsv&, std::string_view, const char*);
    } figures[] = {{"capacity_mah", &PackCell::capacity, capacityColumn, Capacity},
                   {"resistance_mohm", &PackCell::resistance, csv.Column("resistance_mohm"), PlainNumber},
                   {"voltage_v", &PackCell::voltage, csv.Column("voltage_v"), PlainNumber}};
    file.hasResistance = figures[1].column.has_value();
    file.hasVoltage = figures[2].column.has_value();

    IdLines seen;
    for (const CsvRecord& row : csv.rows) {
        auto [id, problem] = seen.Read(CellCsv::Cell(row, *idColumn), row.line);
        PackCell cell{std::move(id), 0, 0, 0, std::string(cellText(row, gradeColumn))};
        for (const auto& figure : figures) {
            const std::string_view figureText = cellText(row, figure.column);
            if (figureText.empty())
                continue;
            const Figure value = figure.read(csv, figureText, figure.name);
            if (const auto* number = std::get_if<double>(&value))
                cell.*figure.figure = *number;
            else if (!problem)
                problem = std::get<std::string>(value);
        }
        if (problem) {
            file.problems.push_back(AtLine(row.line, *problem));
            continue;
        }
        file.standings.push_back({cell.grade == rejectGrade, !cellText(row, packColumn).empty(),
                                  cellText(row, selfDischargeColumn) == SelfDischargeVerdictName(SelfDischargeVerdict::Suspect)});
        file.cells.push_back(std::move(cell));
    }
    return file;
}

} // namespace voltaryn::cells
