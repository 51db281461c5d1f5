#pragma once

#include "common/LocalTime.h"
#include "protocol/Protocol.h"

#include <chrono>
#include <optional>
#include <string>

namespace voltaryn {

// The meter's clock as the clock setting shows it: day, hour, minute and second, two digits
// each, joined by ":" ("04:09:05:30"); the year and month are not shown.
std::string MeterTimeText(const protocol::MeterClockBytes& clock);

// The PC's time in the same day:hour:minute:second form.
std::string PcTimeText(const LocalTime& now);

// The meter's clock in full, "2024-03-15 10:00:03", its two-digit year read as 20yy.
std::string MeterDateTimeText(const protocol::MeterClockBytes& clock);

// How far the meter's clock is ahead of the PC's time `now` (behind when negative); nothing when
// the meter's bytes are no real date and time.
std::optional<std::chrono::seconds> MeterClockOffset(const protocol::MeterClockBytes& clock, const LocalTime& now);

// The six bytes that set the meter's clock to `now`: year (two digits), month, day, hour, minute,
// second, all from the one instant.
protocol::MeterClockBytes MeterClockFor(const LocalTime& now);

} // namespace voltaryn
