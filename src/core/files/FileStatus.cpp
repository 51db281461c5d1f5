#include "files/FileStatus.h"

#include <system_error>

namespace voltaryn {

FileStatus FileError(std::string_view action, const std::filesystem::path& file, int errorNumber)
{
    return {"Cannot " + std::string(action) + " \"" + file.string() + "\": "
            + std::generic_category().message(errorNumber)};
}

} // namespace voltaryn
