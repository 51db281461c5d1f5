#pragma once

#include "link/HidBackend.h"
#include "sim/SimulatedMeter.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace voltaryn::sim {

// What can go wrong with the meter's replies.
enum class ReplyFault {
    Missing,  // the reply never comes: the read times out
    Garbage,  // the reply is noise
    Short,    // the reply carries only the report id and the eight status bytes
};

// The HID backend of the demo and of the tests: one simulated meter, listed after an unrelated HID
// device, that can be unplugged and plugged in again, with faults to inject. Nothing here waits:
// a read with no reply pending times out at once.
class SimulatedHidBackend : public HidBackend {
public:
    static constexpr std::string_view MeterPath = "sim:meter";
    static constexpr std::string_view OtherDevicePath = "sim:keyboard";
    static constexpr std::size_t ShortReplyLength = 9;

    explicit SimulatedHidBackend(SimulatedMeter& meter);

    std::vector<HidDeviceInfo> enumerate() override;
    bool open(const std::string& path) override;
    bool write(std::span<const std::uint8_t> report) override;
    ReadResult read(std::span<std::uint8_t> buffer, int timeoutMs) override;
    void close() override;

    // Unplugging removes the meter from the list and makes reads of the open device fail;
    // plugging it in lists it again. The meter keeps its state throughout.
    void Unplug();
    void Plug();
    // The next `replies` replies of the meter suffer the fault; a later call replaces an earlier one.
    void InjectFault(ReplyFault fault, int replies = 1);

private:
    void SpoilPendingReply();

    SimulatedMeter& meter_;
    bool plugged_ = true;
    bool open_ = false;
    std::optional<protocol::Report> pendingReply_;
    std::size_t pendingLength_ = protocol::ReportLength;
    ReplyFault fault_ = ReplyFault::Missing;
    int faultyReplies_ = 0;
    std::uint32_t noise_ = 0x9E3779B9u;
};

} // namespace voltaryn::sim
