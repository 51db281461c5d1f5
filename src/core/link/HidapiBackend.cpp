#include "link/HidapiBackend.h"

#include <hidapi.h>

namespace voltaryn {
namespace {

// Backends alive right now; hidapi is set up while there is at least one.
int backendCount = 0;

} // namespace

HidapiBackend::HidapiBackend()
{
    // A failed hid_init needs no handling here: hidapi retries it in every later call, and a
    // backend that cannot enumerate simply never finds the meter.
    if (backendCount++ == 0)
        hid_init();
}

HidapiBackend::~HidapiBackend()
{
    close();
    if (--backendCount == 0)
        hid_exit();
}

std::vector<HidDeviceInfo> HidapiBackend::enumerate()
{
    std::vector<HidDeviceInfo> devices;
    hid_device_info* const list = hid_enumerate(0, 0);  // 0, 0: every vendor and product
    for (const hid_device_info* info = list; info != nullptr; info = info->next) {
        if (info->path != nullptr)
            devices.push_back({info->path, info->vendor_id, info->product_id});
    }
    hid_free_enumeration(list);
    return devices;
}

bool HidapiBackend::open(const std::string& path)
{
    close();
    device_ = hid_open_path(path.c_str());
    return device_ != nullptr;
}

// report:  [0] report id (0)  [1..] report data
// hid_write takes exactly this layout: the report id first, then the data.
bool HidapiBackend::write(std::span<const std::uint8_t> report)
{
    if (device_ == nullptr)
        return false;
    const int written = hid_write(device_, report.data(), report.size());
    return written == static_cast<int>(report.size());
}

// hidraw delivers the input reports of a device without numbered reports without the report-id
// byte, so the data is read one byte further on and the report id 0 is put in front of it:
//   hid_read_timeout:          [data 0] [data 1] ...
//   buffer:        [0] = 0,    [1]      [2]      ...
ReadResult HidapiBackend::read(std::span<std::uint8_t> buffer, int timeoutMs)
{
    if (device_ == nullptr || buffer.empty())
        return ReadResult::Failed;
    const int received = hid_read_timeout(device_, buffer.data() + 1, buffer.size() - 1, timeoutMs);
    if (received < 0)
        return ReadResult::Failed;
    if (received == 0)
        return ReadResult::TimedOut;
    buffer[0] = 0;
    return ReadResult::Data;
}

void HidapiBackend::close()
{
    if (device_ != nullptr)
        hid_close(device_);
    device_ = nullptr;
}

} // namespace voltaryn
