#pragma once

#include "cli/CliError.h"
#include "link/Answer.h"
#include "meter/MeterSession.h"

#include <string>

namespace voltaryn::cli {

// The meter a command talks to, over the program's own link, commands and poll loop. Every
// exchange is checked: a meter that stops answering, or is not the meter, ends the command with
// a CliError.
class MeterAccess {
public:
    MeterAccess(HidBackend& backend, std::string devicePath);

    // Finds the meter (the one at the device path, when one was given) and reads its display
    // once, so the reading is current. Throws NoMeter when there is none.
    void Connect();
    // One tick of the poll loop, as the panel's poll timer runs it.
    PollTickResult PollTick();
    // Polls until the display has been read anew: identification, range, display.
    void Refresh();

    // The value of a fresh answer, or a CliError saying why there is none.
    template <typename T>
    const T& Require(const Answer<T>& answer) const
    {
        if (const std::optional<OutcomeReport> outcome = OutcomeOf(answer))
            throw outcome->outcome == Outcome::NoReply ? Stopped() : CliError(*outcome);
        return *answer.value;
    }

    MeterSession& Session() { return session_; }
    MeterLink& Link() { return session_.link; }
    MeterCommands& Commands() { return session_.commands; }
    const MeterReading& Reading() const { return session_.reading; }
    const std::string& DevicePath() const { return session_.link.DevicePathName(); }

private:
    CliError Stopped() const;

    MeterSession session_;
    std::string devicePath_;
};

} // namespace voltaryn::cli
