// clock, interval and average: the meter's settings. A setting is read back after it is sent,
// so what is printed is what the meter took.
#include "cli/Commands.h"
#include "protocol/Protocol.h"
#include "settings/ClockTexts.h"
#include "settings/SettingAnswers.h"

#include <cstdio>

namespace voltaryn::cli {
namespace {

std::string DateTimeText(const LocalTime& t)
{
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour, t.minute,
                  t.second);
    return text;
}

std::string OffsetText(std::optional<std::chrono::seconds> offset)
{
    if (!offset)
        return "not a real date and time";
    const long long seconds = offset->count();
    if (seconds == 0)
        return "in step with the PC";
    return std::to_string(seconds < 0 ? -seconds : seconds) + (seconds < 0 ? " s behind" : " s ahead of") + " the PC";
}

void WriteMeterClock(CommandContext& context)
{
    const Answer<MeterClockBytes> answer = context.meter.Commands().ReadMeterClock();
    if (!answer.Fresh())
        throw CliError(OutcomeReport{Outcome::ClockNoReply, 0, 0, context.meter.DevicePath()});
    const MeterClockBytes& clock = *answer.value;
    const LocalTime pc = context.clock.LocalNow();
    const std::optional<std::chrono::seconds> offset = MeterClockOffset(clock, pc);
    const std::string meterTime = MeterDateTimeText(clock);
    Value offsetSeconds = nullptr;
    if (offset)
        offsetSeconds = static_cast<long long>(offset->count());
    context.output.Line({{"meter", meterTime}, {"pc", DateTimeText(pc)}, {"offset_seconds", offsetSeconds}},
                        meterTime + " (" + OffsetText(offset) + ')');
}

// A setting read back after it was sent: the meter must have taken it.
void CheckTaken(const char* name, int value, int wanted, const std::string& shown)
{
    if (value != wanted)
        throw CliError(ExitCode::MeterFailed, std::string("the meter kept its ") + name + " at " + shown);
}

void WriteInterval(CommandContext& context, std::optional<int> wanted)
{
    const int seconds = context.meter.Require(context.meter.Commands().ReadMeterInterval());
    if (wanted)
        CheckTaken("interval", seconds, *wanted, std::to_string(seconds) + " s");
    context.output.Line({{"interval", seconds}}, std::to_string(seconds));
}

// The averaging as the meter's answer gives it: "OFF", or the number of readings averaged.
void WriteAverage(CommandContext& context, std::optional<int> wanted)
{
    const int average = context.meter.Require(context.meter.Commands().ReadAverageNumber());
    const std::string shown = AverageDefaultText(average);
    if (wanted)
        CheckTaken("averaging", average, *wanted, shown);
    context.output.Line({{"average", shown}}, shown);
}

} // namespace

void RunClockGet(CommandContext& context, const NoOptions& /*options*/)
{
    context.meter.Connect();
    WriteMeterClock(context);
}

void RunClockSync(CommandContext& context, const NoOptions& /*options*/)
{
    context.meter.Connect();
    context.meter.Commands().SetMeterClock(MeterClockFor(context.clock.LocalNow()));
    WriteMeterClock(context);
}

void RunIntervalGet(CommandContext& context, const NoOptions& /*options*/)
{
    context.meter.Connect();
    WriteInterval(context, std::nullopt);
}

void RunIntervalSet(CommandContext& context, const IntervalOptions& options)
{
    context.meter.Connect();
    context.meter.Commands().SetMeterInterval(options.seconds);
    WriteInterval(context, options.seconds);
}

void RunAverageGet(CommandContext& context, const NoOptions& /*options*/)
{
    context.meter.Connect();
    WriteAverage(context, std::nullopt);
}

void RunAverageSet(CommandContext& context, const AverageOptions& options)
{
    const int average = options.average == "OFF" ? protocol::AveragingOff : std::stoi(options.average);
    context.meter.Connect();
    context.meter.Commands().SetAverageNumber(average);
    WriteAverage(context, average);
}

} // namespace voltaryn::cli
