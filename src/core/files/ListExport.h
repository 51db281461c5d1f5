#pragma once

#include "files/FileStatus.h"
#include "files/RecordTable.h"

namespace voltaryn {

// Saves a record list as a data file, replacing any file of that name whole or not at all (see
// ReplaceFile: a save that fails leaves the old file as it was): one line per row, the
// header row first, each cell followed by a TAB (so every line ends with a TAB) and each line by
// CR LF. A line has as many cells as the header has titles; cells a row lacks are written empty.
// Cells are written byte for byte as the table holds them (UTF-8). A name ending in ".csv" (in
// any case) is saved as comma-separated values instead (see CsvFormat.h). `progress` is told the
// row index after each row, 0 for the header row.
FileStatus SaveGridFile(const std::filesystem::path& file, const RecordTable& table,
                        const LineProgress& progress = {});

// The downloaded-data list is held as one nine-column table, so it is saved the same way.
inline FileStatus SaveDataListFile(const std::filesystem::path& file, const RecordTable& table,
                                   const LineProgress& progress = {})
{
    return SaveGridFile(file, table, progress);
}

} // namespace voltaryn
