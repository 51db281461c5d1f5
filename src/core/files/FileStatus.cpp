#include "files/FileStatus.h"

#include <array>
#include <cerrno>
#include <system_error>

namespace voltaryn {

FileStatus FileError(std::string_view action, const std::filesystem::path& file, int errorNumber)
{
    return {"Cannot " + std::string(action) + " \"" + file.string() + "\": "
            + std::generic_category().message(errorNumber)};
}

std::string ReadWholeFile(const std::filesystem::path& path)
{
    const UniqueFile file(std::fopen(path.c_str(), "rb"));
    std::string text;
    if (file) {
        std::array<char, 65536> buffer;
        while (const std::size_t got = std::fread(buffer.data(), 1, buffer.size(), file.get()))
            text.append(buffer.data(), got);
    }
    if (!file || std::ferror(file.get()) != 0)
        throw FileUnreadable(FileError("read", path, errno).error);
    return text;
}

} // namespace voltaryn
