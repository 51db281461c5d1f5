#include "link/MeterLink.h"

namespace voltaryn {

MeterLink::MeterLink(HidBackend& backend) : backend_(backend) {}

std::vector<HidDeviceInfo> MeterLink::MeterInterfaces()
{
    std::vector<HidDeviceInfo> meters = backend_.enumerate();
    std::erase_if(meters, [](const HidDeviceInfo& device) {
        return device.vendorId != MeterVendorId || device.productId != MeterProductId;
    });
    return meters;
}

bool MeterLink::FindMeter()
{
    deviceDetected_ = false;
    for (const HidDeviceInfo& device : MeterInterfaces()) {
        if (!searchPath_.empty() && device.path != searchPath_)
            continue;
        // A candidate held exclusively by someone else cannot be opened: try the next one.
        if (!backend_.open(device.path))
            continue;
        devicePathName_ = device.path;
        matchedVendorId_ = device.vendorId;
        matchedProductId_ = device.productId;
        deviceDetected_ = true;
        break;
    }
    return deviceDetected_;
}

bool MeterLink::SendAndReceive()
{
    if (!deviceDetected_)
        FindMeter();
    if (!deviceDetected_)
        return false;
    // A failed write is not acted on here: the read that follows fails too and forgets the device.
    backend_.write(outputReport_);
    return ReadInputReport();
}

void MeterLink::SendOnly()
{
    if (deviceDetected_)
        backend_.write(outputReport_);
    else
        FindMeter();
}

void MeterLink::SetRequest(std::initializer_list<std::uint8_t> bytesFromOne)
{
    std::size_t index = 1;
    for (std::uint8_t byte : bytesFromOne)
        outputReport_.at(index++) = byte;
}

bool MeterLink::ReadInputReport()
{
    // Bytes a short reply does not carry read as 0, never as leftovers of an earlier reply.
    Report buffer{};
    switch (backend_.read(buffer, ReadTimeoutMs)) {
    case ReadResult::Data:
        inputReport_ = buffer;
        hasReply_ = true;
        return true;
    case ReadResult::TimedOut:
    case ReadResult::Failed:
        break;
    }
    Forget();
    return false;
}

void MeterLink::Forget()
{
    deviceDetected_ = false;
    backend_.close();
    matchedVendorId_ = 0;
    matchedProductId_ = 0;
}

} // namespace voltaryn
