#pragma once

#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
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

// Told the number of the line just handled, counting the header line as 0, so that a caller can
// show progress and let pending events run.
using LineProgress = std::function<void(int line)>;

} // namespace voltaryn
