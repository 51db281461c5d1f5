#pragma once

#include "link/HidBackend.h"

struct hid_device_;  // hidapi's opaque device handle

namespace voltaryn {

// The HID backend for real meters, over hidapi's hidraw implementation.
//
// hidapi is initialised by the first backend and released when the last one is destroyed.
// Destroying a backend closes its device.
class HidapiBackend final : public HidBackend {
public:
    HidapiBackend();
    ~HidapiBackend() override;
    HidapiBackend(const HidapiBackend&) = delete;
    HidapiBackend& operator=(const HidapiBackend&) = delete;

    std::vector<HidDeviceInfo> enumerate() override;
    bool open(const std::string& path) override;
    bool write(std::span<const std::uint8_t> report) override;
    ReadResult read(std::span<std::uint8_t> buffer, int timeoutMs) override;
    void close() override;

private:
    hid_device_* device_ = nullptr;
};

} // namespace voltaryn
