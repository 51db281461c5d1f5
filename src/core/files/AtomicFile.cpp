#include "files/AtomicFile.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace voltaryn {
namespace {

// The mode a new file would get: everything the umask leaves of rw-rw-rw-.
mode_t NewFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Flushes the folder's entry for the renamed file, so the rename survives a power cut.
void SyncFolder(const std::filesystem::path& folder)
{
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// A device or a pipe (/dev/full, /dev/stdout) is written in place: there is nothing to replace.
FileStatus WriteInPlace(const std::filesystem::path& file, const std::function<FileStatus(std::FILE*)>& write)
{
    UniqueFile out(std::fopen(file.c_str(), "wb"));
    if (!out)
        return FileError("open", file, errno);
    FileStatus status = write(out.get());
    if (std::fclose(out.release()) != 0 && status.Ok())
        status = FileError("write", file, errno);
    return status;
}

} // namespace

FileStatus ReplaceFile(const std::filesystem::path& named, const std::function<FileStatus(std::FILE*)>& write)
{
    std::error_code error;
    const std::filesystem::file_status kind = std::filesystem::status(named, error);
    if (std::filesystem::exists(kind) && !std::filesystem::is_regular_file(kind))
        return WriteInPlace(named, write);
    // A link stays a link: the file it points to is the one replaced.
    const std::filesystem::path file =
        std::filesystem::is_symlink(std::filesystem::symlink_status(named, error)) && std::filesystem::exists(kind)
            ? std::filesystem::canonical(named, error)
            : named;
    const std::filesystem::path folder = file.parent_path();
    std::string temporary = (folder / ("." + file.filename().string() + ".XXXXXX")).string();
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0)
        return FileError("create", file, errno);
    struct stat existing {};
    ::fchmod(fd, ::stat(file.c_str(), &existing) == 0 ? existing.st_mode & 07777 : NewFileMode());

    UniqueFile out(::fdopen(fd, "wb"));
    FileStatus status = out ? write(out.get()) : FileError("create", file, errno);
    // Buffered bytes reach the disk only now, so a full disk may show up here.
    if (status.Ok() && (std::fflush(out.get()) != 0 || ::fsync(fd) != 0))
        status = FileError("write", file, errno);
    if (!out)
        ::close(fd);
    else if (std::fclose(out.release()) != 0 && status.Ok())
        status = FileError("write", file, errno);
    if (status.Ok() && std::rename(temporary.c_str(), file.c_str()) != 0)
        status = FileError("replace", file, errno);
    if (!status.Ok()) {
        ::unlink(temporary.c_str());
        return status;
    }
    SyncFolder(folder);
    return {};
}

FileStatus ReplaceFileWith(const std::filesystem::path& named, std::string_view bytes)
{
    return ReplaceFile(named, [&](std::FILE* out) {
        return std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size() ? FileStatus{}
                                                                                : FileError("write", named, errno);
    });
}

std::filesystem::path PartialName(const std::filesystem::path& file)
{
    return file.string() + ".partial";
}

} // namespace voltaryn
