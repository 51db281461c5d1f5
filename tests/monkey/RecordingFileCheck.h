#pragma once

#include <filesystem>
#include <string>

namespace voltaryn::monkey {

// What is wrong with a recording file, empty when nothing is: it must be its header line and then
// whole "\r\n"-ended records numbered 1, 2, 3, ... in order.
std::string RecordingFileFault(const std::filesystem::path& file);

} // namespace voltaryn::monkey
