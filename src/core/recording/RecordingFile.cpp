#include "recording/RecordingFile.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace voltaryn {
namespace {

std::string JoinLine(const RecordRow& fields)
{
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            line += '\t';
        line += fields[i];
    }
    return line + "\r\n";
}

} // namespace

RecordingFile::~RecordingFile()
{
    if (IsOpen())
        ::close(descriptor_);
}

FileStatus RecordingFile::Create(const std::filesystem::path& file, const std::string& range,
                                 const std::string& tempUnit)
{
    // Opened for appending, so that once a broken line is cut off the next line follows the last whole one.
    descriptor_ = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_APPEND | O_CLOEXEC, 0666);
    if (!IsOpen())
        return FileError("create", file, errno);
    path_ = file;
    wholeLinesSize_ = 0;
    FileStatus status = WriteLine({"No.s", "Time", "V", range, "Amp", tempUnit, "In-Cap ", "Out-Cap ", "T-Cap "});
    if (!status.Ok())
        Close();
    return status;
}

FileStatus RecordingFile::AppendRecord(const RecordRow& record)
{
    return WriteLine(record);
}

FileStatus RecordingFile::Close()
{
    if (!IsOpen())
        return {};
    const int descriptor = descriptor_;
    descriptor_ = -1;
    if (::close(descriptor) != 0)
        return FileError("close", path_, errno);
    return {};
}

FileStatus RecordingFile::WriteLine(const RecordRow& fields)
{
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
        FileStatus status = FileError("write", path_, errno);
        if (written > 0 && ::ftruncate(descriptor_, wholeLinesSize_) != 0)
            status.error += "; the last line stays incomplete: " + FileError("shorten", path_, errno).error;
        return status;
    }
    wholeLinesSize_ += static_cast<std::int64_t>(line.size());
    return {};
}

} // namespace voltaryn
