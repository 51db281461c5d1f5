#pragma once

#include "cli/Commands.h"
#include "cli/GlobalOptions.h"

#include <variant>

namespace voltaryn::cli {

// What the command line asks for: the global options, and the subcommand with its options.
struct Invocation {
    GlobalOptions options;
    Command command;
};

// Reads the command line. Asked for --help or --version, it prints them and gives the exit code
// 0; a command line that is wrong is told in one line of the error output and gives ExitCode::Usage.
std::variant<Invocation, int> ReadCommandLine(int argc, const char* const* argv);

} // namespace voltaryn::cli
