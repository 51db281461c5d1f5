#include "files/ListExport.h"

#include "files/AtomicFile.h"
#include "files/CsvFormat.h"

#include <cerrno>
#include <cstdio>

namespace voltaryn {
namespace {

// The data file line of one row: `columns` cells, each followed by a TAB, then CR LF.
void AppendDataLine(const RecordRow& row, std::size_t columns, std::string& line)
{
    for (std::size_t c = 0; c < columns; ++c) {
        if (c < row.size())
            line += row[c];
        line += '\t';
    }
    line += "\r\n";
}

} // namespace

FileStatus SaveGridFile(const std::filesystem::path& file, const RecordTable& table, const LineProgress& progress)
{
    return ReplaceFile(file, [&](std::FILE* out) -> FileStatus {
        const std::size_t columns = table.header.size();
        const bool csv = IsCsvName(file);
        std::string line(csv ? Utf8ByteOrderMark : "");
        for (std::size_t r = 0; r <= table.rows.size(); ++r) {
            const RecordRow& row = r == 0 ? table.header : table.rows[r - 1];
            if (csv)
                line += CsvLine(row, columns);
            else
                AppendDataLine(row, columns, line);
            if (std::fwrite(line.data(), 1, line.size(), out) != line.size())
                return FileError("write", file, errno);
            line.clear();
            if (progress)
                progress(static_cast<int>(r));
        }
        return {};
    });
}

} // namespace voltaryn
