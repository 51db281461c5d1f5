#pragma once

namespace voltaryn::cli {

// The whole program: parses the command line, runs the subcommand it names with the records on
// the standard output and the errors on the error output, and returns the exit code.
int RunCli(int argc, const char* const* argv);

} // namespace voltaryn::cli
