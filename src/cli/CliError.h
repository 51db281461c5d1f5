#pragma once

#include "outcomes/Outcome.h"

#include <stdexcept>
#include <string>

namespace voltaryn::cli {

// Ends a command: its message is printed on one line of the error output and the program exits
// with its code.
class CliError : public std::runtime_error {
public:
    CliError(ExitCode code, const std::string& message) : std::runtime_error(message), code_(code) {}
    // An outcome of an exchange with the meter, as the command line tells it.
    explicit CliError(const OutcomeReport& report) : CliError(EntryOf(report.outcome).exitCode, CliText(report)) {}
    ExitCode Code() const { return code_; }

private:
    ExitCode code_;
};

// Ends the command when the outcome is a failure on the command line; otherwise it carries on.
inline void FailOn(const std::optional<OutcomeReport>& outcome)
{
    if (outcome && EntryOf(outcome->outcome).exitCode != ExitCode::Success)
        throw CliError(*outcome);
}

} // namespace voltaryn::cli
