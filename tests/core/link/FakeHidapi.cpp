// Stand-ins for the hidapi functions the backend calls, with hidapi's own signatures, so the
// backend runs unchanged against fake devices. They keep hidraw's report-id convention: hid_write
// receives the report id first, hid_read_timeout returns reports of unnumbered devices without it.
#include "FakeHidapi.h"

#include <hidapi.h>

#include <algorithm>
#include <cstring>

using voltaryn::testing::FakeHidDevice;
using voltaryn::testing::fakeHid;

struct hid_device_ {
    FakeHidDevice* device;
};

voltaryn::testing::FakeHidMachine voltaryn::testing::fakeHid;

extern "C" {

int HID_API_EXPORT HID_API_CALL hid_init(void) { return 0; }

int HID_API_EXPORT HID_API_CALL hid_exit(void) { return 0; }

// Every plugged device, whatever vendor and product are asked for: the backend asks for all.
struct hid_device_info HID_API_EXPORT* HID_API_CALL hid_enumerate(unsigned short, unsigned short)
{
    hid_device_info* first = nullptr;
    hid_device_info** link = &first;
    for (const FakeHidDevice& device : fakeHid.devices) {
        if (!device.plugged)
            continue;
        auto* info = new hid_device_info{};
        info->path = new char[device.path.size() + 1];
        std::memcpy(info->path, device.path.c_str(), device.path.size() + 1);
        info->vendor_id = device.vendorId;
        info->product_id = device.productId;
        *link = info;
        link = &info->next;
    }
    return first;
}

void HID_API_EXPORT HID_API_CALL hid_free_enumeration(struct hid_device_info* devs)
{
    while (devs != nullptr) {
        hid_device_info* next = devs->next;
        delete[] devs->path;
        delete devs;
        devs = next;
    }
}

HID_API_EXPORT hid_device* HID_API_CALL hid_open_path(const char* path)
{
    fakeHid.openAttempts.emplace_back(path);
    const auto device = std::find_if(fakeHid.devices.begin(), fakeHid.devices.end(),
                                     [&](const FakeHidDevice& d) { return d.path == path; });
    if (device == fakeHid.devices.end() || !device->plugged || !device->openable)
        return nullptr;
    ++fakeHid.openHandles;
    return new hid_device{&*device};
}

int HID_API_EXPORT HID_API_CALL hid_write(hid_device* dev, const unsigned char* data, size_t length)
{
    FakeHidDevice& device = *dev->device;
    if (!device.plugged)
        return -1;
    device.received.emplace_back(data, data + length);
    return static_cast<int>(length);
}

// A report that has not arrived times out at once: no test waits on a real clock.
int HID_API_EXPORT HID_API_CALL hid_read_timeout(hid_device* dev, unsigned char* data,
                                                 size_t length, int milliseconds)
{
    fakeHid.lastReadTimeoutMs = milliseconds;
    FakeHidDevice& device = *dev->device;
    if (!device.plugged)
        return -1;
    if (device.pending.empty())
        return 0;
    const std::vector<std::uint8_t> report = std::move(device.pending.front());
    device.pending.pop_front();
    const std::size_t count = std::min(length, report.size());
    std::copy_n(report.begin(), count, data);
    return static_cast<int>(count);
}

void HID_API_EXPORT HID_API_CALL hid_close(hid_device* dev)
{
    --fakeHid.openHandles;
    delete dev;
}

} // extern "C"
