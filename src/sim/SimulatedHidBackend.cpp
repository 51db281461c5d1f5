#include "sim/SimulatedHidBackend.h"

#include <algorithm>

namespace voltaryn::sim {
namespace {

constexpr std::uint16_t OtherVendorId = 0x1209;
constexpr std::uint16_t OtherProductId = 0x0001;

} // namespace

SimulatedHidBackend::SimulatedHidBackend(SimulatedMeter& meter) : meters_{&meter} {}

void SimulatedHidBackend::AddMeter(SimulatedMeter& meter) { meters_.push_back(&meter); }

std::string SimulatedHidBackend::MeterPathOf(std::size_t index)
{
    return std::string(MeterPath) + (index == 0 ? "" : std::to_string(index + 1));
}

std::vector<HidDeviceInfo> SimulatedHidBackend::enumerate()
{
    std::vector<HidDeviceInfo> devices{{std::string(OtherDevicePath), OtherVendorId, OtherProductId}};
    for (std::size_t i = 0; plugged_ && i < meters_.size(); ++i)
        devices.push_back({MeterPathOf(i), protocol::MeterVendorId, protocol::MeterProductId});
    return devices;
}

bool SimulatedHidBackend::open(const std::string& path)
{
    close();
    for (std::size_t i = 0; plugged_ && i < meters_.size(); ++i)
        if (path == MeterPathOf(i))
            open_ = meters_[i];
    return open_ != nullptr;
}

bool SimulatedHidBackend::write(std::span<const std::uint8_t> report)
{
    if (requestsBeforeUnplug_ && (*requestsBeforeUnplug_)-- == 0)
        Unplug();
    if (open_ == nullptr || !plugged_)
        return false;
    pendingReply_ = open_->Handle(report);
    pendingLength_ = protocol::ReportLength;
    if (pendingReply_ && faultyReplies_ > 0) {
        if (goodRepliesBeforeFault_ > 0) {
            --goodRepliesBeforeFault_;
        } else {
            --faultyReplies_;
            SpoilPendingReply();
        }
    }
    return true;
}

// The reply, if any, is there at once, so there is never anything to wait for.
ReadResult SimulatedHidBackend::read(std::span<std::uint8_t> buffer, int /*timeoutMs*/)
{
    if (open_ == nullptr || !plugged_)
        return ReadResult::Failed;
    if (!pendingReply_)
        return ReadResult::TimedOut;
    std::copy_n(pendingReply_->begin(), std::min(pendingLength_, buffer.size()), buffer.begin());
    pendingReply_.reset();
    return ReadResult::Data;
}

void SimulatedHidBackend::close()
{
    open_ = nullptr;
    pendingReply_.reset();
}

void SimulatedHidBackend::Unplug()
{
    plugged_ = false;
    requestsBeforeUnplug_.reset();
    pendingReply_.reset();
}

void SimulatedHidBackend::Plug() { plugged_ = true; }

void SimulatedHidBackend::InjectFault(ReplyFault fault, int replies, int after)
{
    fault_ = fault;
    faultyReplies_ = replies;
    goodRepliesBeforeFault_ = after;
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
