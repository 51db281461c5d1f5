#pragma once

#include "common/LocalTime.h"
#include "protocol/Protocol.h"

#include <string>

namespace voltaryn {

// The meter's clock as the clock window shows it: day, hour, minute and second, two digits
// each, joined by ":" ("04:09:05:30"); the year and month are not shown.
std::string MeterTimeText(const protocol::MeterClockBytes& clock);

// The PC's time in the same day:hour:minute:second form.
std::string PcTimeText(const LocalTime& now);

// The six bytes that set the meter's clock to `now`: year (two digits), month, day, hour, minute,
// second, all from the one instant.
protocol::MeterClockBytes MeterClockFor(const LocalTime& now);

} // namespace voltaryn
