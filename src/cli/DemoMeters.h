#pragma once

#include "cli/GlobalOptions.h"
#include "cli/RunClock.h"
#include "sim/SimulatedHidBackend.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace voltaryn::cli {

inline constexpr const char* DemoFaultsHelp =
    "no-meter, wrong-id, no-card, unplug-after=N (requests), silent-after=N or garbage-after=N (replies)";

// What is wrong with a --demo-fault text, or nothing when it names a fault.
std::optional<std::string> DemoFaultError(const std::string& text);

// The demo's simulated meters, plugged into one simulated HID backend with the faults asked for.
// They live on the run's clock, and each stands at another range (the first at 40 mOhm, the
// second at 400 mOhm, ...), so that they can be told apart; or each presents a cell bench or a
// battery string of its own, which turns the range itself.
class DemoMeters {
public:
    DemoMeters(const DemoOptions& options, const RunClock& clock);
    HidBackend& Backend() { return *backend_; }

private:
    std::vector<std::unique_ptr<sim::SimulatedMeter>> meters_;
    std::unique_ptr<sim::SimulatedHidBackend> backend_;
};

} // namespace voltaryn::cli
