#pragma once

#include "files/FileStatus.h"
#include "files/RecordTable.h"

#include <cstdint>
#include <filesystem>
#include <string>

namespace voltaryn {

// The data file that a running recording writes: a header line naming the recording's range and
// temperature unit, then one line per record. Fields are TAB-separated with no TAB at the end,
// lines end with CR LF, and texts are written byte for byte (UTF-8).
//
// Each line goes to the operating system as soon as it is written, so a process that is killed
// leaves every record already reported as written in the file. A line that fails halfway is cut
// off again, so the file always ends with whole lines.
class RecordingFile {
public:
    RecordingFile() = default;
    RecordingFile(const RecordingFile&) = delete;
    RecordingFile& operator=(const RecordingFile&) = delete;
    ~RecordingFile();

    // Creates `file` (an existing one is replaced) and writes the header line; the file must not be
    // open yet. On failure no file stays open.
    FileStatus Create(const std::filesystem::path& file, const std::string& range, const std::string& tempUnit);
    // Appends one record line: the record number, then the sample fields.
    FileStatus AppendRecord(const RecordRow& record);
    // Closes the file; closing a file that is not open does nothing.
    FileStatus Close();

    bool IsOpen() const { return descriptor_ >= 0; }

private:
    FileStatus WriteLine(const RecordRow& fields);

    int descriptor_ = -1;
    std::filesystem::path path_;
    std::int64_t wholeLinesSize_ = 0;  // bytes of the lines written completely
};

} // namespace voltaryn
