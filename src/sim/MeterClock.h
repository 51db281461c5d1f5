#pragma once

#include "protocol/Protocol.h"
#include "sim/SimClock.h"

namespace voltaryn::sim {

using protocol::MeterClockBytes;

// The meter's real-time clock. Until it is first set it shows the wall clock's date and time
// (UTC); after that it runs on from the time it was set to.
class MeterClock {
public:
    // Year (two digits, 2000 to 2099), month, day, hour, minute, second at the wall-clock time now.
    MeterClockBytes At(SimTime now) const;
    // Makes the clock read `time` at `now`. A date or time that does not exist is ignored, as
    // the meter ignores it.
    void Set(const MeterClockBytes& time, SimTime now);

private:
    std::chrono::seconds offset_{0};  // meter time minus wall-clock time
};

} // namespace voltaryn::sim
