#pragma once

#include "files/FileStatus.h"
#include "files/RecordTable.h"

#include <cstdint>
#include <filesystem>
#include <string>

namespace voltaryn {

// The column titles of a recording file's header line, which the live list and the list of a
// downloaded SD card file show too: the resistance column is titled with the range and the
// temperature column with the temperature unit.
RecordRow RecordingTitles(const std::string& range, const std::string& tempUnit);

// The data file that a running recording writes: a header line naming the recording's range and
// temperature unit, then one line per record. Fields are TAB-separated with no TAB at the end,
// lines end with CR LF, and texts are written byte for byte (UTF-8).
//
// Each line goes to the operating system as soon as it is written, so a process that is killed
// leaves every record already reported as written in the file. A line that fails halfway is cut
// off again (at the latest before the next line or the close), so the file ends with whole lines.
class RecordingFile {
public:
    RecordingFile() = default;
    RecordingFile(const RecordingFile&) = delete;
    RecordingFile& operator=(const RecordingFile&) = delete;
    ~RecordingFile();

    // Creates `file` (an existing one is replaced) and writes the header line; the file must not be
    // open yet. On failure no file stays open.
    FileStatus Create(const std::filesystem::path& file, const std::string& range, const std::string& tempUnit);
    // Appends one record line: the record number, then the sample fields. A failure gives the
    // system's reason alone ("No space left on device"), as does one of Close().
    FileStatus AppendRecord(const RecordRow& record);
    // Closes the file; closing a file that is not open does nothing.
    FileStatus Close();

    bool IsOpen() const { return descriptor_ >= 0; }

private:
    // Writes one line whole or not at all; returns 0, or the errno value of the failure.
    int WriteLine(const RecordRow& fields);
    // Cuts off a line written only partly; true when the file now ends with a whole line.
    bool CutBrokenLine();

    int descriptor_ = -1;
    std::int64_t wholeLinesSize_ = 0;  // bytes of the lines written completely
    bool brokenLine_ = false;          // the file ends with part of a line
};

} // namespace voltaryn
