#pragma once

#include "link/HidBackend.h"
#include "sim/SimulatedMeter.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace voltaryn::sim {

// What can go wrong with the meter's replies.
enum class ReplyFault {
    Missing,  // the reply never comes: the read times out
    Garbage,  // the reply is noise
    Short,    // the reply carries only the report id and the eight status bytes
};

// The HID backend of the demo and of the tests: a simulated meter, or several, listed after an
// unrelated HID device, that can be unplugged and plugged in again, with faults to inject. Nothing
// here waits: a read with no reply pending times out at once.
class SimulatedHidBackend : public HidBackend {
public:
    static constexpr std::string_view MeterPath = "sim:meter";
    static constexpr std::string_view OtherDevicePath = "sim:keyboard";
    static constexpr std::size_t ShortReplyLength = 9;

    explicit SimulatedHidBackend(SimulatedMeter& meter);

    // Plugs in one more meter, listed after the others.
    void AddMeter(SimulatedMeter& meter);
    // The path of the meter plugged in `index`-th (from 0): MeterPath, then "sim:meter2", ...
    static std::string MeterPathOf(std::size_t index);

    std::vector<HidDeviceInfo> enumerate() override;
    bool open(const std::string& path) override;
    bool write(std::span<const std::uint8_t> report) override;
    ReadResult read(std::span<std::uint8_t> buffer, int timeoutMs) override;
    void close() override;

    // Unplugging removes the meters from the list and makes reads of the open device fail;
    // plugging them in lists them again. The meters keep their state throughout.
    void Unplug();
    void Plug();
    // The meters are unplugged once they have been sent `requests` more requests.
    void UnplugAfter(int requests) { requestsBeforeUnplug_ = requests; }
    // After `after` good replies, the next `replies` replies suffer the fault; a later call
    // replaces an earlier one.
    void InjectFault(ReplyFault fault, int replies = 1, int after = 0);

private:
    void SpoilPendingReply();

    std::vector<SimulatedMeter*> meters_;
    bool plugged_ = true;
    SimulatedMeter* open_ = nullptr;
    std::optional<int> requestsBeforeUnplug_;
    int goodRepliesBeforeFault_ = 0;
    std::optional<protocol::Report> pendingReply_;
    std::size_t pendingLength_ = protocol::ReportLength;
    ReplyFault fault_ = ReplyFault::Missing;
    int faultyReplies_ = 0;
    std::uint32_t noise_ = 0x9E3779B9u;
};

} // namespace voltaryn::sim
