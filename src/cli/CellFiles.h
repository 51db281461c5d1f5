#pragma once

#include <string>

namespace voltaryn::cli {

// The whole of a file the user names; a file error (exit 4) when it cannot be read.
std::string ReadWholeFile(const std::string& path);

} // namespace voltaryn::cli
