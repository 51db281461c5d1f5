#include "files/DataFileReader.h"

#include "files/CsvFormat.h"
#include "meter/RangeTexts.h"
#include "text/CharacterCodes.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <memory>

namespace voltaryn {
namespace {

// Whether `bytes` hold binary data rather than text: a NUL byte, or more than one byte in a
// hundred that is a control character other than TAB, CR and LF. Bytes above 127 count as text.
bool LooksBinary(std::string_view bytes)
{
    if (bytes.find('\0') != std::string_view::npos)
        return true;
    const auto controls = std::count_if(bytes.begin(), bytes.end(), [](char c) {
        return (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\r' && c != '\n') || c == 0x7F;
    });
    return static_cast<std::size_t>(controls) * 100 > bytes.size();
}

// Takes the next item off the front of `text`: the text up to the next comma or line end (CR LF,
// LF or CR).
std::string_view NextItem(std::string_view& text)
{
    const std::size_t end = std::min(text.find_first_of(",\r\n"), text.size());
    const std::string_view item = text.substr(0, end);
    text.remove_prefix(end);
    text.remove_prefix(text.starts_with("\r\n") ? 2 : std::min<std::size_t>(text.size(), 1));
    return item;
}

void ReadTitles(std::string_view header, DataFile& data)
{
    const auto* const range = std::find_if(RangeTexts.begin(), RangeTexts.end(), [header](std::string_view text) {
        return header.find(text) != std::string_view::npos;
    });
    if (range != RangeTexts.end())
        data.rangeTitle = std::string(*range);
    data.temperatureTitle = header.find("Celsius") != std::string_view::npos ? "Celsius" : "Fahrenheit";
}

// The cells of a record line whose blanks are already removed: each TAB ends a cell, and the
// text after the last TAB is a cell only when it is not empty.
RecordRow RecordCells(std::string_view line)
{
    RecordRow cells;
    cells.reserve(std::min<std::size_t>(std::count(line.begin(), line.end(), '\t') + 1, DataFile::MaxCells));
    while (!line.empty() && cells.size() < DataFile::MaxCells) {
        const std::size_t tab = line.find('\t');
        cells.emplace_back(line.substr(0, tab));
        line.remove_prefix(tab == std::string_view::npos ? line.size() : tab + 1);
    }
    return cells;
}

DataFile ParseCsvDataFile(std::string_view bytes, const LineProgress& progress)
{
    DataFile data;
    data.rows = ParseCsv(bytes);
    if (data.rows.empty())
        return data;
    const RecordRow header = std::move(data.rows.front());
    data.rows.erase(data.rows.begin());
    if (header.size() > DataFile::RangeColumn)
        data.rangeTitle = header[DataFile::RangeColumn];
    if (header.size() > DataFile::TemperatureColumn)
        data.temperatureTitle = header[DataFile::TemperatureColumn];
    if (progress)
        progress(static_cast<int>(data.rows.size()));
    return data;
}

DataFile Unread(FileStatus status)
{
    DataFile data;
    data.status = std::move(status);
    return data;
}

} // namespace

DataFile ReadDataFile(const std::filesystem::path& file, const LineProgress& progress)
{
    UniqueFile in(std::fopen(file.c_str(), "rb"));
    if (!in)
        return Unread(FileError("open", file, errno));

    std::string bytes;
    std::error_code sizeUnknown;
    const auto size = std::filesystem::file_size(file, sizeUnknown);
    if (!sizeUnknown)
        bytes.reserve(size);
    char chunk[1 << 16];
    while (const std::size_t count = std::fread(chunk, 1, sizeof chunk, in.get()))
        bytes.append(chunk, count);
    if (std::ferror(in.get()) != 0)
        return Unread(FileError("read", file, errno));
    return IsCsvName(file) ? ParseCsvDataFile(bytes, progress) : ParseDataFile(bytes, progress);
}

DataFile ParseDataFile(std::string_view bytes, const LineProgress& progress)
{
    std::string decoded;
    std::string_view text = bytes;
    if (!IsUtf8(bytes)) {
        decoded = Windows1252ToUtf8(bytes);
        text = decoded;
    }

    DataFile data;
    data.rows.reserve(std::count_if(text.begin(), text.end(), [](char c) { return c == '\n' || c == ','; }));
    bool recordShaped = false;
    std::string line;
    for (int n = 0; !text.empty(); ++n) {
        const std::string_view item = NextItem(text);
        if (n == 0) {
            ReadTitles(item, data);
            recordShaped = RecordCells(item).size() == DataFile::MaxCells;
            continue;
        }
        line.assign(item);
        std::erase(line, ' ');
        data.rows.push_back(RecordCells(line));
        recordShaped = recordShaped || data.rows.back().size() == DataFile::MaxCells;
        if (progress)
            progress(n);
    }
    if (LooksBinary(bytes))
        data.warning = "The file is not a text file; the list shows what could be read of it.";
    else if (!recordShaped)
        data.warning = "The file has no line of nine TAB-separated fields, so it may not be a data file; "
                       "the list shows its lines as they are.";
    return data;
}

} // namespace voltaryn
