#pragma once

#include "cli/DemoMeters.h"
#include "cli/GlobalOptions.h"
#include "cli/RunClock.h"
#include "link/HidBackend.h"

#include <memory>
#include <optional>

namespace voltaryn::cli {

// The HID backend a run talks through: the demo's simulated meters with --demo, otherwise the
// operating system's HID services, where the real meters are.
class MeterBackend {
public:
    MeterBackend(const GlobalOptions& options, const RunClock& clock);
    ~MeterBackend();
    MeterBackend(const MeterBackend&) = delete;
    MeterBackend& operator=(const MeterBackend&) = delete;

    HidBackend& Backend() { return *backend_; }

private:
    std::optional<DemoMeters> demo_;
    std::unique_ptr<HidBackend> hidapi_;
    HidBackend* backend_ = nullptr;
};

} // namespace voltaryn::cli
