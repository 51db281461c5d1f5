#include "files/ColumnPlot.h"

#include "graphs/DisplaySamples.h"
#include "graphs/GraphSettings.h"

namespace voltaryn {
namespace {

bool IsCapacityColumn(std::size_t column) { return column >= 6 && column <= 8; }

bool Contains(std::string_view text, std::string_view part) { return text.find(part) != std::string_view::npos; }

std::string_view CellOf(const RecordRow& row, std::size_t column)
{
    return column < row.size() ? std::string_view(row[column]) : std::string_view();
}

// The capacity axis is sized by how many digits the first record shows before its point.
double CapacityAxisMaximum(std::string_view firstRecord)
{
    switch (firstRecord.substr(0, firstRecord.find('.')).size()) {
    case 0: return 9999;
    case 1: return 9.999;
    case 2: return 99.99;
    default: return 999.9;
    }
}

// A cell with no value or out of range, which plots as 0 and is not looked at for a pause mark.
bool IsBlankOrOverload(std::string_view cell) { return Contains(cell, "--") || Contains(cell, "L"); }

} // namespace

// The columns: 0 record number, 1 time, 2 voltage, 3 resistance (titled by its range), 4 current,
// 5 temperature (titled by its unit), 6 to 8 in-, out- and total capacity.
std::optional<PlotParameters> ColumnPlotParameters(const RecordTable& table, std::size_t column)
{
    const std::string title(CellOf(table.header, column));
    const std::size_t records = table.rows.size();
    switch (column) {
    case 2: return PlotParameters{"Volt", 67, -67, records};
    case 3: return PlotParameters{title, ResistanceAxisMaximum(title), 0, records};
    case 4: return PlotParameters{"Amp", 670, -670, records};
    case 5:
        if (title == "Celsius")
            return PlotParameters{title, 65, -25, records};
        return PlotParameters{title, 149, -13, records};
    case 6:
    case 7:
    case 8: {
        // A file without records sizes the axis as for an empty first record: the widest, 9999.
        const double maximum = CapacityAxisMaximum(table.rows.empty() ? "" : CellOf(table.rows.front(), column));
        return PlotParameters{title, maximum, -maximum, records};
    }
    default: return std::nullopt;
    }
}

double PlottedValue(std::string_view cell, std::size_t column)
{
    if (IsBlankOrOverload(cell))
        return 0;
    const double number = LeadingNumber(cell);
    return IsCapacityColumn(column) && Contains(cell, "mAh") ? number / 1000 : number;
}

ColumnReader::ColumnReader(std::size_t column) : column_(column) {}

void ColumnReader::Add(std::string_view cell)
{
    values_.push_back(PlottedValue(cell, column_));
    keys_.push_back(static_cast<double>(values_.size()));
    if (IsBlankOrOverload(cell) || Contains(cell, "*") == paused_)
        return;
    if (paused_)
        runs_.back().StartPoint = values_.size();
    else
        runs_.push_back({values_.size(), std::nullopt});
    paused_ = !paused_;
}

} // namespace voltaryn
