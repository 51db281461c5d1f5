// read: the meter's display, decoded, once or as a stream.
#include "cli/Commands.h"
#include "cli/ReadingRecord.h"
#include "cli/StopSignal.h"
#include "meter/DisplayUnits.h"

#include <cstdio>
#include <ctime>

namespace voltaryn::cli {
namespace {

// When a reading was taken, in local time to the millisecond: the ISO 8601 form with the zone's
// offset ("2024-03-15T10:00:00.300+01:00") for machines, and the time of day for people.
struct TakenAt {
    std::string iso;
    std::string timeOfDay;
};

TakenAt TimeTexts(RunClock::WallTime moment)
{
    using namespace std::chrono;
    const std::time_t seconds = system_clock::to_time_t(moment);
    const auto millis = duration_cast<milliseconds>(moment.time_since_epoch()).count() % 1000;
    std::tm local{};
    localtime_r(&seconds, &local);
    char date[16];
    char time[16];
    char zone[8];
    std::strftime(date, sizeof date, "%Y-%m-%d", &local);
    std::snprintf(time, sizeof time, "%02d:%02d:%02d.%03d", local.tm_hour, local.tm_min, local.tm_sec,
                  static_cast<int>(millis));
    std::strftime(zone, sizeof zone, "%z", &local);
    const std::string offset(zone);
    return {std::string(date) + 'T' + time + offset.substr(0, 3) + ':' + offset.substr(3), time};
}

// A value as people read it: the text with its unit after a blank.
std::string WithUnit(const std::string& text, const std::string& unit)
{
    return unit.empty() ? text : text + ' ' + unit;
}

void WriteReading(CommandContext& context, long long number)
{
    const MeterReading& r = context.meter.Reading();
    const StatusBits& lit = context.meter.Session().pollLoop.Display().lit;
    const DisplayUnits units = UnitsShown(lit);
    const TakenAt at = TimeTexts(context.clock.Now());
    Reading reading{.number = number,
                    .time = at.iso,
                    .day = std::stoi(at.iso.substr(8, 2)),
                    .values = {{{r.VoltageText, units.voltage},
                                {r.ResistanceText, units.resistance},
                                {r.CurrentText, units.current},
                                {r.TemperatureText, units.temperature},
                                {r.CapacityText[0], units.capacity[0]},
                                {r.CapacityText[1], units.capacity[1]},
                                {r.CapacityText[2], units.capacity[2]}}},
                    .range = r.RangeText,
                    .flags = std::vector<std::string>()};
    std::string flagText;
    for (std::string_view word : WordsShown(lit)) {
        reading.flags->emplace_back(word);
        flagText += "  " + std::string(word);
    }
    const auto shown = [&reading](std::size_t i) {
        const Quantity& q = reading.values.at(i);
        return WithUnit(q.text, q.unit);
    };
    const std::string text = at.timeOfDay + "  " + shown(0) + "  " + shown(1) + " (" + r.RangeText + ")  " + shown(2)
                             + "  " + shown(3) + "  in " + shown(4) + "  out " + shown(5) + "  total " + shown(6)
                             + flagText;
    context.output.Line(ReadingRecord(reading), text);
}

} // namespace

// Reading n is taken `interval` seconds after reading n - 1 was due, so a stream keeps its pace
// however long each exchange takes.
void RunRead(CommandContext& context, const ReadOptions& options)
{
    CatchStopSignals();
    context.meter.Connect();
    const auto interval =
        std::chrono::duration_cast<RunClock::Duration>(std::chrono::duration<double>(options.interval));
    const RunClock::Duration start = context.clock.Elapsed();
    for (long long n = 0; options.count == 0 || n < options.count; ++n) {
        if (n > 0) {
            context.clock.WaitUntil(start + n * interval);
            if (StopRequested())
                return;
            context.meter.Refresh();
        }
        WriteReading(context, n + 1);
    }
}

} // namespace voltaryn::cli
