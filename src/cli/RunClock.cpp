#include "cli/RunClock.h"

#include "cli/StopSignal.h"

#include <algorithm>
#include <thread>

namespace voltaryn::cli {
namespace {

// A stop is noticed within this long of a wait.
constexpr std::chrono::milliseconds LongestSleep{100};

} // namespace

RunClock::RunClock(std::optional<WallTime> simulatedStart) : simulatedStart_(simulatedStart) {}

RunClock::Duration RunClock::Elapsed() const
{
    return simulatedStart_ ? simulatedElapsed_ : std::chrono::steady_clock::now() - start_;
}

RunClock::WallTime RunClock::Now() const
{
    if (simulatedStart_)
        return *simulatedStart_ + std::chrono::duration_cast<WallTime::duration>(simulatedElapsed_);
    return std::chrono::system_clock::now();
}

void RunClock::WaitUntil(Duration until)
{
    if (simulatedStart_) {
        simulatedElapsed_ = std::max(simulatedElapsed_, until);
        return;
    }
    for (Duration left = until - Elapsed(); left > Duration::zero() && !StopRequested(); left = until - Elapsed())
        std::this_thread::sleep_for(std::min<Duration>(left, LongestSleep));
}

} // namespace voltaryn::cli
