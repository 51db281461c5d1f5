// A list saved as CSV read back: its rows parsed, written out again as a list is saved and
// parsed once more, which must give the same rows; then each column plotted from the parsed table.
#include "FuzzInput.h"
#include "FuzzTarget.h"

#include "files/ColumnPlot.h"
#include "files/CsvFormat.h"

VOLTARYN_FUZZ_TARGET(Csv)
{
    using namespace voltaryn;
    const std::vector<RecordRow> rows = ParseCsv(fuzz::AsText({data, size}));

    std::string written(Utf8ByteOrderMark);
    for (const RecordRow& row : rows)
        written += CsvLine(row, row.size());
    fuzz::Expect(ParseCsv(written) == rows, "rows written as CSV read back the same");

    if (rows.empty())
        return 0;
    const RecordTable table{rows.front(), {rows.begin() + 1, rows.end()}};
    for (std::size_t column = 0; column < 10; ++column) {
        if (const auto parameters = ColumnPlotParameters(table, column))
            fuzz::Expect(parameters->PlotMin < parameters->PlotMax, "a plot's axis runs upwards");
        ColumnReader reader(column);
        for (const RecordRow& row : table.rows)
            reader.Add(column < row.size() ? std::string_view(row[column]) : std::string_view());
        for (const PauseRun& run : reader.Runs())
            fuzz::Expect(!run.StartPoint || *run.StartPoint > run.PausePoint, "a pause ends after it starts");
    }
    return 0;
}
