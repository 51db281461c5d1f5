#include "cli/CellFiles.h"

#include "cli/CliError.h"

#include <fstream>
#include <sstream>

namespace voltaryn::cli {

std::string ReadWholeFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    if (!in)
        throw CliError(ExitCode::FileFailed, "cannot read " + path);
    return text.str();
}

} // namespace voltaryn::cli
