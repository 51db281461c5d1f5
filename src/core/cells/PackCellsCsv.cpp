#include "cells/PackCellsCsv.h"

#include "cells/CellCsv.h"

namespace voltaryn::cells {

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
    // The figures of a cell: where each goes, and the column that holds it.
    const struct {
        const char* name;
        double PackCell::*figure;
        std::optional<std::size_t> column;
    } figures[] = {{"capacity_mah", &PackCell::capacity, capacityColumn},
                   {"resistance_mohm", &PackCell::resistance, csv.Column("resistance_mohm")},
                   {"voltage_v", &PackCell::voltage, csv.Column("voltage_v")}};
    file.hasResistance = figures[1].column.has_value();

    IdLines seen;
    for (const CsvRecord& row : csv.rows) {
        PackCell cell{std::string(CellCsv::Cell(row, *idColumn)), 0, 0, 0,
                      gradeColumn ? std::string(CellCsv::Cell(row, *gradeColumn)) : std::string()};
        std::optional<std::string> problem = cell.id.empty() ? "no cell ID" : seen.Repeat(cell.id, row.line);
        for (const auto& figure : figures) {
            const std::string_view text = figure.column ? CellCsv::Cell(row, *figure.column) : std::string_view();
            if (text.empty())
                continue;
            const std::optional<double> value = csv.Number(text);
            if (!value && !problem)
                problem = std::string(figure.name) + " '" + std::string(text) + "' is not a number";
            cell.*figure.figure = value.value_or(0);
        }
        if (problem)
            file.problems.push_back(AtLine(row.line, *problem));
        else
            file.cells.push_back(std::move(cell));
    }
    return file;
}

} // namespace voltaryn::cells
