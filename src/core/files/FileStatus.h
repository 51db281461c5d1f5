#pragma once

#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

namespace voltaryn {

// How a file operation ended: Ok(), or why not, in words the user can read.
struct FileStatus {
    std::string error;  // empty on success

    bool Ok() const { return error.empty(); }
};

// The failure to `action` ("create", "write", ...) `file`, with the system's reason for errno
// value `errorNumber`.
FileStatus FileError(std::string_view action, const std::filesystem::path& file, int errorNumber);

// A C file closed when it goes out of scope.
struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using UniqueFile = std::unique_ptr<std::FILE, FileCloser>;

// A file the user named that could not be read; its text is FileError's.
class FileUnreadable : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The whole of the file at `path`; throws FileUnreadable when it cannot be opened or read (a
// folder, no permission).
std::string ReadWholeFile(const std::filesystem::path& path);

// Told the number of the line just handled, counting the header line as 0, so that a caller can
// show progress and let pending events run.
using LineProgress = std::function<void(int line)>;

} // namespace voltaryn
