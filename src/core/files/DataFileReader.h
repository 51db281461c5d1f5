#pragma once

#include "files/FileStatus.h"
#include "files/RecordTable.h"

#include <optional>
#include <string_view>

namespace voltaryn {

// A data file as the file list shows it. The file's header line is never a row: it only names
// the resistance range and the temperature unit, which replace two of the list's own titles.
struct DataFile {
    static constexpr std::size_t RangeColumn = 3;
    static constexpr std::size_t TemperatureColumn = 5;
    static constexpr std::size_t MaxCells = 9;

    FileStatus status;
    // Why the file does not look like a data file (binary data, or no line of MaxCells
    // TAB-separated fields), for the user; empty when it does. The rows hold what could be read.
    std::string warning;
    // The first range text found in the header line; none when it names no range.
    std::optional<std::string> rangeTitle;
    // "Celsius" when the header line says so, otherwise "Fahrenheit"; none without a header line.
    std::optional<std::string> temperatureTitle;
    std::vector<RecordRow> rows;
};

// Reads a data file (see ParseDataFile), or a list saved as CSV when the name ends in ".csv":
// its first line is the header, whose range and temperature titles replace the list's own. A file
// that cannot be read gives a failed status and no rows.
DataFile ReadDataFile(const std::filesystem::path& file, const LineProgress& progress = {});

// The data file held in `bytes`: UTF-8 when the bytes are valid UTF-8, Windows-1252 otherwise.
// The text is taken item by item, an item running to the next comma or line end (CR LF, LF or CR);
// the first item is the header line, each further one a record row whose blanks are removed and
// whose TAB-separated fields become at most MaxCells cells. `progress` is told the record
// number after each record row. Anything is read; `warning` tells when it was no data file.
DataFile ParseDataFile(std::string_view bytes, const LineProgress& progress = {});

} // namespace voltaryn
