#pragma once

#include "files/FileStatus.h"

#include <cstdio>
#include <filesystem>
#include <functional>
#include <string_view>

namespace voltaryn {

// Writes the file `named` whole or not at all: `write` fills a temporary file in the same folder,
// which is flushed to the disk and renamed over it only when every byte is written. When anything
// fails (`write` says so, or the disk is full) the temporary file is removed and an existing file
// is left as it was. A new file gets the permissions the umask gives; a replaced one keeps its
// own. A device or a pipe is written in place, and a symbolic link replaces the file it points to.
FileStatus ReplaceFile(const std::filesystem::path& named, const std::function<FileStatus(std::FILE*)>& write);

// ReplaceFile() with `bytes` as the file's whole content.
FileStatus ReplaceFileWith(const std::filesystem::path& named, std::string_view bytes);

// The name a partial download is kept under beside `file`: NAME.partial.
std::filesystem::path PartialName(const std::filesystem::path& file);

} // namespace voltaryn
