#pragma once

#include <ostream>

namespace voltaryn::cli {

// The whole program: parses the command line, runs the subcommand it names with the records on
// `out` and the errors on `err`, and returns the exit code.
int RunCli(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

} // namespace voltaryn::cli
