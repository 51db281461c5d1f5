#include "settings/ClockTexts.h"

#include <cstdio>

namespace voltaryn {
namespace {

std::string DayAndTime(int day, int hour, int minute, int second)
{
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d:%02d", day, hour, minute, second);
    return text;
}

constexpr int MeterCentury = 2000;

// A date and time of day as seconds of one time line; nothing for a date or time that does not exist.
std::optional<std::chrono::sys_seconds> Moment(int year, int month, int day, int hour, int minute, int second)
{
    using namespace std::chrono;
    const year_month_day date{std::chrono::year(year), std::chrono::month(static_cast<unsigned>(month)),
                              std::chrono::day(static_cast<unsigned>(day))};
    if (!date.ok() || hour > 23 || minute > 59 || second > 59)
        return std::nullopt;
    return sys_days(date) + hours(hour) + minutes(minute) + seconds(second);
}

} // namespace

std::string MeterDateTimeText(const protocol::MeterClockBytes& clock)
{
    char text[32];
    std::snprintf(text, sizeof text, "%d-%02d-%02d %02d:%02d:%02d", MeterCentury + clock[0], clock[1], clock[2],
                  clock[3], clock[4], clock[5]);
    return text;
}

std::optional<std::chrono::seconds> MeterClockOffset(const protocol::MeterClockBytes& clock, const LocalTime& now)
{
    const auto meter = Moment(MeterCentury + clock[0], clock[1], clock[2], clock[3], clock[4], clock[5]);
    const auto pc = Moment(now.year, now.month, now.day, now.hour, now.minute, now.second);
    if (!meter || !pc)
        return std::nullopt;
    return *meter - *pc;
}

std::string MeterTimeText(const protocol::MeterClockBytes& clock)
{
    return DayAndTime(clock[2], clock[3], clock[4], clock[5]);
}

std::string PcTimeText(const LocalTime& now) { return DayAndTime(now.day, now.hour, now.minute, now.second); }

protocol::MeterClockBytes MeterClockFor(const LocalTime& now)
{
    const auto byte = [](int value) { return static_cast<std::uint8_t>(value); };
    return {byte(now.year % 100), byte(now.month), byte(now.day), byte(now.hour), byte(now.minute), byte(now.second)};
}

} // namespace voltaryn
