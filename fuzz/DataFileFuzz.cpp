// A data file's bytes read as the file list reads them, then every column of the list plotted
// as the column plot does.
#include "FuzzInput.h"
#include "FuzzTarget.h"

#include "files/ColumnPlot.h"
#include "files/DataFileReader.h"
#include "memory/ManualDownload.h"

VOLTARYN_FUZZ_TARGET(DataFile)
{
    using namespace voltaryn;
    int lastLine = 0;
    const DataFile file = ParseDataFile(fuzz::AsText({data, size}), [&](int line) {
        fuzz::Expect(line == lastLine + 1, "progress counts the record rows");
        lastLine = line;
    });
    fuzz::Expect(file.rows.size() == static_cast<std::size_t>(lastLine), "progress follows each row");

    RecordTable table{ManualListTitles(), {}};
    if (file.rangeTitle)
        table.header[DataFile::RangeColumn] = *file.rangeTitle;
    if (file.temperatureTitle)
        table.header[DataFile::TemperatureColumn] = *file.temperatureTitle;
    for (const RecordRow& row : file.rows) {
        fuzz::Expect(row.size() <= DataFile::MaxCells, "a row has at most nine cells");
        table.rows.push_back(row);
    }
    for (std::size_t column = 0; column <= DataFile::MaxCells; ++column) {
        if (!ColumnPlotParameters(table, column))
            continue;
        ColumnReader reader(column);
        for (const RecordRow& row : table.rows)
            reader.Add(column < row.size() ? std::string_view(row[column]) : std::string_view());
        fuzz::Expect(reader.Values().size() == table.rows.size(), "one value a record");
    }
    return 0;
}
