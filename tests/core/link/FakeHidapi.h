#pragma once

#include "link/MeterLink.h"

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

namespace voltaryn::testing {

struct FakeHidDevice {
    std::string path;
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    bool openable = true;  // false: held exclusively by someone else
    bool plugged = true;   // an unplugged device stays on record with what it received

    // Every output report that reached the device, report id first.
    std::vector<std::vector<std::uint8_t>> received{};
    // Input reports to be read, one a read, kept as hidraw delivers them: without the report id.
    std::deque<std::vector<std::uint8_t>> pending{};
};

// What the stand-in hidapi functions serve: the HID devices in enumeration order, and a record of
// what hidapi was asked to do.
struct FakeHidMachine {
    std::deque<FakeHidDevice> devices;  // a deque keeps references valid as devices are added
    std::vector<std::string> openAttempts;
    int lastReadTimeoutMs = 0;
    int openHandles = 0;

    FakeHidDevice& Plug(FakeHidDevice device)
    {
        devices.push_back(std::move(device));
        return devices.back();
    }
    FakeHidDevice& PlugMeter(const std::string& path)
    {
        return Plug({.path = path, .vendorId = MeterLink::MeterVendorId, .productId = MeterLink::MeterProductId});
    }
};

// The machine of the running test, which starts with a new one.
extern FakeHidMachine fakeHid;

} // namespace voltaryn::testing
