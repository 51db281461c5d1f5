#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace voltaryn {

// One HID interface present on the machine.
struct HidDeviceInfo {
    std::string path;
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
};

enum class ReadResult { Data, TimedOut, Failed };

// The operating system's HID services as the meter link needs them. At most one device is open
// at a time. Reports are handled with the report id in byte 0 in both directions: an
// implementation whose platform strips or adds that byte maps it here, so nothing above this
// interface ever sees the platform's convention.
class HidBackend {
public:
    virtual ~HidBackend() = default;

    // Every HID interface present now, in the platform's enumeration order.
    virtual std::vector<HidDeviceInfo> enumerate() = 0;
    // Opens the device at path for reading and writing; false when it cannot be opened.
    virtual bool open(const std::string& path) = 0;
    // Writes one output report (report id first). Returns false when the write failed.
    virtual bool write(std::span<const std::uint8_t> report) = 0;
    // Reads one input report into buffer (report id first) within timeoutMs. On Data, bytes the
    // device did not send are left as the caller prepared them.
    virtual ReadResult read(std::span<std::uint8_t> buffer, int timeoutMs) = 0;
    // Closes the open device, if any.
    virtual void close() = 0;
};

} // namespace voltaryn
