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

} // namespace

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
