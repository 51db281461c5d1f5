#pragma once

#include "files/RecordTable.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace voltaryn {

// What the column plot needs to draw one column of a data file and to restore its scale later.
struct PlotParameters {
    std::string PlotName;  // the value axis's caption
    double PlotMax = 0;
    double PlotMin = 0;
    std::size_t PlotRecords = 0;  // the horizontal axis runs from 1 to this
    bool operator==(const PlotParameters&) const = default;
};

// The parameters for plotting `column` of the table; none for the record number and time columns
// (and for columns past the ninth), which cannot be plotted. Header texts and the first record are
// read as the grid shows them, a missing cell as an empty text.
std::optional<PlotParameters> ColumnPlotParameters(const RecordTable& table, std::size_t column);

// The value a cell of `column` plots as: 0 for "--" (no value) or a text with an "L" ("OL",
// "-OL"); otherwise the number the text starts with (0 if none), in Ah for a capacity column's mAh.
double PlottedValue(std::string_view cell, std::size_t column);

// A stretch of records marked "*" (paused), as the markers show it. Records count from 1.
struct PauseRun {
    std::size_t PausePoint = 0;             // the run's first record
    std::optional<std::size_t> StartPoint;  // the first record after it; none if it lasts to the end
    bool operator==(const PauseRun&) const = default;
};

// Reads a column one cell at a time, so that the caller can report progress between records, and
// keeps whole arrays for the graph: record r at x = r. A run still open after the last cell simply
// keeps no start point, so the runs are complete after any cell.
class ColumnReader {
public:
    explicit ColumnReader(std::size_t column);

    void Add(std::string_view cell);

    const std::vector<double>& Keys() const { return keys_; }
    const std::vector<double>& Values() const { return values_; }
    const std::vector<PauseRun>& Runs() const { return runs_; }

private:
    std::size_t column_;
    std::vector<double> keys_;
    std::vector<double> values_;
    std::vector<PauseRun> runs_;
    bool paused_ = false;
};

} // namespace voltaryn
