#pragma once

#include "common/LocalTime.h"

#include <chrono>
#include <optional>

namespace voltaryn::cli {

// The time a run goes by: the PC's clock, or, for the demo, a simulated clock that stands still
// until the run waits, and then jumps to the end of the wait, so a long run takes no real time.
class RunClock {
public:
    using WallTime = std::chrono::system_clock::time_point;
    using Duration = std::chrono::steady_clock::duration;

    // A simulated clock when `simulatedStart` is given, else the PC's.
    explicit RunClock(std::optional<WallTime> simulatedStart);

    // Time since the run started; it never goes back, whatever happens to the PC's clock.
    Duration Elapsed() const;
    WallTime Now() const;
    LocalTime LocalNow() const { return LocalTimeAt(Now()); }

    // Waits until Elapsed() reaches `until`, or until a stop is requested.
    void WaitUntil(Duration until);

private:
    std::optional<WallTime> simulatedStart_;
    Duration simulatedElapsed_{};
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

} // namespace voltaryn::cli
