#pragma once

#include <stdexcept>
#include <string>

namespace voltaryn::cli {

// The exit codes scripts can tell apart.
enum class ExitCode {
    Success = 0,
    Usage = 1,         // the command line is wrong
    NoMeter = 2,       // no meter is connected (at the path given)
    MeterFailed = 3,   // the meter stopped answering, answered nonsense, or refused what was asked
    FileFailed = 4,    // a file could not be written
};

inline constexpr const char* ExitCodesHelp =
    "Exit codes: 0 success, 1 usage error, 2 no meter found, 3 the meter stopped answering, answered nonsense "
    "or refused (no SD card; AM or INTV mode for memory downloads), 4 a file could not be written.";

// Ends a command: its message is printed on one line of the error output and the program exits
// with its code.
class CliError : public std::runtime_error {
public:
    CliError(ExitCode code, const std::string& message) : std::runtime_error(message), code_(code) {}
    ExitCode Code() const { return code_; }

private:
    ExitCode code_;
};

} // namespace voltaryn::cli
