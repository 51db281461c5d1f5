#include "sim/SimulatedHidBackend.h"

#include <algorithm>

namespace voltaryn::sim {
namespace {

constexpr std::uint16_t OtherVendorId = 0x1209;
constexpr std::uint16_t OtherProductId = 0x0001;

} // namespace

SimulatedHidBackend::SimulatedHidBackend(SimulatedMeter& meter) : meter_(meter) {}

std::vector<HidDeviceInfo> SimulatedHidBackend::enumerate()
{
    std::vector<HidDeviceInfo> devices{{std::string(OtherDevicePath), OtherVendorId, OtherProductId}};
    if (plugged_)
        devices.push_back({std::string(MeterPath), protocol::MeterVendorId, protocol::MeterProductId});
    return devices;
}

bool SimulatedHidBackend::open(const std::string& path)
{
    close();
    open_ = plugged_ && path == MeterPath;
    return open_;
}

bool SimulatedHidBackend::write(std::span<const std::uint8_t> report)
{
    if (!open_ || !plugged_)
        return false;
    pendingReply_ = meter_.Handle(report);
    pendingLength_ = protocol::ReportLength;
    if (pendingReply_ && faultyReplies_ > 0) {
        --faultyReplies_;
        SpoilPendingReply();
    }
    return true;
}

// The reply, if any, is there at once, so there is never anything to wait for.
ReadResult SimulatedHidBackend::read(std::span<std::uint8_t> buffer, int /*timeoutMs*/)
{
    if (!open_ || !plugged_)
        return ReadResult::Failed;
    if (!pendingReply_)
        return ReadResult::TimedOut;
    std::copy_n(pendingReply_->begin(), std::min(pendingLength_, buffer.size()), buffer.begin());
    pendingReply_.reset();
    return ReadResult::Data;
}

void SimulatedHidBackend::close()
{
    open_ = false;
    pendingReply_.reset();
}

void SimulatedHidBackend::Unplug()
{
    plugged_ = false;
    pendingReply_.reset();
}

void SimulatedHidBackend::Plug() { plugged_ = true; }

void SimulatedHidBackend::InjectFault(ReplyFault fault, int replies)
{
    fault_ = fault;
    faultyReplies_ = replies;
}

void SimulatedHidBackend::SpoilPendingReply()
{
    switch (fault_) {
    case ReplyFault::Missing:
        pendingReply_.reset();
        break;
    case ReplyFault::Garbage:  // everything after the report id, from a xorshift generator
        for (auto* byte = pendingReply_->begin() + 1; byte != pendingReply_->end(); ++byte) {
            noise_ ^= noise_ << 13;
            noise_ ^= noise_ >> 17;
            noise_ ^= noise_ << 5;
            *byte = static_cast<std::uint8_t>(noise_);
        }
        break;
    case ReplyFault::Short:
        pendingLength_ = ShortReplyLength;
        break;
    }
}

} // namespace voltaryn::sim
