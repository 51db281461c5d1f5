#pragma once

#include <string>
#include <string_view>

namespace voltaryn {

// The name a file is saved under, given the name typed in the save dialog and the file type
// chosen there, such as "Data Files (*.txt)": when the type's patterns are all "*.extension" and
// the name ends in none of those extensions (in any case), the first one is added, so that the
// open dialog shows the file under the same type. A type that matches any name, such as
// "All Files (*.*)", leaves the name as typed.
std::string WithFileTypeExtension(std::string_view name, std::string_view fileType);

} // namespace voltaryn
