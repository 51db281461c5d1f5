#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace voltaryn::testing {

// A folder in the test's temporary folder, unique to this process (so one at a time), removed
// with all it holds when the test ends.
class TempFolder {
public:
    TempFolder() { std::filesystem::create_directories(path_); }
    ~TempFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_ =
        std::filesystem::path(::testing::TempDir()) / ("voltaryn-" + std::to_string(::getpid()));
};

// The bytes of a file; none when it cannot be read.
inline std::string FileBytes(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace voltaryn::testing
