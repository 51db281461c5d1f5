#pragma once

namespace voltaryn {

// The exit codes of voltaryn-cli, which scripts can tell apart.
enum class ExitCode {
    Success = 0,
    Usage = 1,        // the command line is wrong
    NoMeter = 2,      // no meter is connected (at the path given)
    MeterFailed = 3,  // the meter stopped answering, answered nonsense, or refused what was asked
    FileFailed = 4,   // a file could not be written
    StoreFailed = 5,  // the cell database could not be opened, read or written
};

inline constexpr const char* ExitCodesHelp =
    "Exit codes: 0 success, 1 usage error, 2 no meter found, 3 the meter stopped answering, answered nonsense "
    "or refused (no SD card; AM or INTV mode for memory downloads), 4 a file could not be written, 5 the cell "
    "database could not be opened, read or written.";

} // namespace voltaryn
