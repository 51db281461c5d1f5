#include "cli/MeterAccess.h"

#include "cli/StopSignal.h"
#include "meter/ReadingCheck.h"
#include "protocol/Protocol.h"
#include "text/CharacterCodes.h"

namespace voltaryn::cli {

MeterAccess::MeterAccess(HidBackend& backend, std::string devicePath)
    : session_(backend), devicePath_(std::move(devicePath))
{
    session_.link.SearchOnly(devicePath_);
}

void MeterAccess::Connect()
{
    if (!session_.link.FindMeter())
        throw devicePath_.empty() ? CliError(OutcomeReport{Outcome::NoMeter})
                                  : CliError(ExitCode::NoMeter, "no meter at " + devicePath_);
    Refresh();
}

PollTickResult MeterAccess::PollTick()
{
    const PollTickResult result = session_.pollLoop.Tick();
    if (!session_.link.DeviceDetected())
        throw Stopped();
    const std::string& identification = session_.reading.IdentString;
    if (result.displayDecoded && identification != protocol::MeterIdentification)
        throw CliError(ExitCode::MeterFailed, "the device at " + DevicePath() + " is not the meter: it identifies as \""
                                                  + Printable(identification) + '"');
    if (result.displayDecoded)
        if (const std::optional<std::string> problem = ReadingProblem(session_.reading))
            throw CliError(OutcomeReport{Outcome::NonsenseData, 0, 0, DevicePath(), "the display's " + *problem});
    return result;
}

void MeterAccess::Refresh()
{
    // Each tick either moves the rotation on or throws, so the display comes within three.
    for (int tick = 0; tick < PollLoop::DisplayState; ++tick)
        if (PollTick().displayDecoded)
            return;
}

// A read cut short by Ctrl-C loses the meter for a moment: that is no failure of the meter.
CliError MeterAccess::Stopped() const
{
    if (StopRequested())
        return {ExitCode::Success, "stopped"};
    return CliError(OutcomeReport{Outcome::NoReply, 0, 0, DevicePath()});
}

} // namespace voltaryn::cli
