#include "recording/RecordingFile.h"

#include <cerrno>
#include <fcntl.h>
#include <system_error>
#include <unistd.h>

namespace voltaryn {
namespace {

// One record line: the fields TAB-separated, ended by CR LF. A control character a display field
// took from a garbled reply becomes '?', so that a line is always one whole record.
std::string JoinLine(const RecordRow& fields)
{
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            line += '\t';
        for (const char c : fields[i])
            line += static_cast<unsigned char>(c) < 0x20 || c == 0x7F ? '?' : c;
    }
    return line + "\r\n";
}

// The system's reason alone: the file is the one created, which the caller knows.
FileStatus Reason(int errorNumber)
{
    return {std::generic_category().message(errorNumber)};
}

} // namespace

RecordRow RecordingTitles(const std::string& range, const std::string& tempUnit)
{
    return {"No.s", "Time", "V", range, "Amp", tempUnit, "In-Cap ", "Out-Cap ", "T-Cap "};
}

RecordingFile::~RecordingFile()
{
    Close();
}

FileStatus RecordingFile::Create(const std::filesystem::path& file, const std::string& range,
                                 const std::string& tempUnit)
{
    // Opened for appending, so that once a broken line is cut off the next line follows the last whole one.
    descriptor_ = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_APPEND | O_CLOEXEC, 0666);
    if (!IsOpen())
        return FileError("create", file, errno);
    wholeLinesSize_ = 0;
    brokenLine_ = false;
    const int errorNumber = WriteLine(RecordingTitles(range, tempUnit));
    if (errorNumber == 0)
        return {};
    Close();
    return FileError("write", file, errorNumber);
}

FileStatus RecordingFile::AppendRecord(const RecordRow& record)
{
    const int errorNumber = WriteLine(record);
    return errorNumber == 0 ? FileStatus{} : Reason(errorNumber);
}

FileStatus RecordingFile::Close()
{
    if (!IsOpen())
        return {};
    CutBrokenLine();
    const int descriptor = descriptor_;
    descriptor_ = -1;
    return ::close(descriptor) == 0 ? FileStatus{} : Reason(errno);
}

int RecordingFile::WriteLine(const RecordRow& fields)
{
    if (!CutBrokenLine())
        return errno;
    const std::string line = JoinLine(fields);
    std::size_t written = 0;
    while (written < line.size()) {
        const ssize_t result = ::write(descriptor_, line.data() + written, line.size() - written);
        if (result >= 0) {
            written += static_cast<std::size_t>(result);
            continue;
        }
        if (errno == EINTR)
            continue;
        const int errorNumber = errno;
        brokenLine_ = written > 0;
        CutBrokenLine();
        return errorNumber;
    }
    wholeLinesSize_ += static_cast<std::int64_t>(line.size());
    return 0;
}

bool RecordingFile::CutBrokenLine()
{
    if (brokenLine_ && ::ftruncate(descriptor_, wholeLinesSize_) == 0)
        brokenLine_ = false;
    return !brokenLine_;
}

} // namespace voltaryn
