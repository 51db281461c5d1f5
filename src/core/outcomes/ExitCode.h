#pragma once

namespace voltaryn {

// The exit codes of voltaryn-cli, which scripts can tell apart. A usage error is 2, as most Unix
// tools have it.
enum class ExitCode {
    Success = 0,
    MeterFailed = 1,  // the meter stopped answering, answered nonsense, or refused what was asked
    Usage = 2,        // the command line is wrong
    NoMeter = 3,      // no meter is connected (at the path given)
    FileFailed = 4,   // a file could not be read or written
    StoreFailed = 5,  // the cell database could not be opened, read or written
    QueueWaiting = 6, // captures wait in the station's local queue: the server has not taken them
};

inline constexpr const char* ExitCodesHelp =
    "Exit codes: 0 success, 1 the meter stopped answering, answered nonsense or refused (no SD card; AM or INTV "
    "mode for memory downloads), 2 usage error, 3 no meter found, 4 a file could not be read or written, 5 the cell "
    "database could not be opened, read or written, 6 captures wait in the local queue.";

} // namespace voltaryn
