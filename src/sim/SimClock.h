#pragma once

#include <chrono>
#include <functional>

namespace voltaryn::sim {

using SimTime = std::chrono::system_clock::time_point;

// The wall clock the simulated meter lives by; tests inject their own.
using SimClock = std::function<SimTime()>;

} // namespace voltaryn::sim
