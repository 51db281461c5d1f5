#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

namespace voltaryn {

// A path in the test's temporary folder, unique to this process, removed when the test ends.
class TempFile {
public:
    explicit TempFile(const std::string& name)
        : path_(std::filesystem::path(testing::TempDir()) / (std::to_string(::getpid()) + "-" + name))
    {
    }
    ~TempFile()
    {
        std::error_code ignored;
        std::filesystem::remove(path_, ignored);
    }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    const std::filesystem::path& Path() const { return path_; }

    std::string Bytes() const
    {
        std::ifstream in(path_, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

private:
    std::filesystem::path path_;
};

} // namespace voltaryn
