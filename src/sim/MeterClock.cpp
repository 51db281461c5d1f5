#include "sim/MeterClock.h"

namespace voltaryn::sim {

using namespace std::chrono;

MeterClockBytes MeterClock::At(SimTime now) const
{
    const sys_seconds meterTime = floor<seconds>(now) + offset_;
    const sys_days day = floor<days>(meterTime);
    const year_month_day date{day};
    const hh_mm_ss time{meterTime - day};
    auto byte = [](auto value) { return static_cast<std::uint8_t>(value); };
    return {byte(static_cast<int>(date.year()) % 100), byte(static_cast<unsigned>(date.month())),
            byte(static_cast<unsigned>(date.day())),   byte(time.hours().count()),
            byte(time.minutes().count()),              byte(time.seconds().count())};
}

void MeterClock::Set(const MeterClockBytes& time, SimTime now)
{
    const year_month_day date{year{2000 + time[0]}, month{time[1]}, day{time[2]}};
    if (time[0] > 99 || !date.ok() || time[3] > 23 || time[4] > 59 || time[5] > 59)
        return;
    const sys_seconds meterTime = sys_days{date} + hours{time[3]} + minutes{time[4]} + seconds{time[5]};
    offset_ = meterTime - floor<seconds>(now);
}

} // namespace voltaryn::sim
