#pragma once

#include "link/HidBackend.h"
#include "link/MeterCommands.h"
#include "link/MeterLink.h"

#include <algorithm>
#include <deque>
#include <optional>

namespace voltaryn::testing {

// A HID backend whose devices and read outcomes a test scripts, and which records every call the
// link makes.
class ScriptedHidBackend : public HidBackend {
public:
    struct ScriptedRead {
        ReadResult result = ReadResult::Data;
        std::vector<std::uint8_t> bytes;  // report id first; may be shorter than a report
    };

    std::vector<HidDeviceInfo> devices;
    std::deque<ScriptedRead> reads;  // an empty queue times out

    std::vector<std::vector<std::uint8_t>> written;
    int enumerations = 0;
    int closes = 0;
    std::optional<std::string> openPath;

    void AddMeter(const std::string& path)
    {
        devices.push_back({path, MeterLink::MeterVendorId, MeterLink::MeterProductId});
    }
    void Reply(std::vector<std::uint8_t> bytes) { reads.push_back({ReadResult::Data, std::move(bytes)}); }
    // The first `length` bytes of every report written, in order.
    std::vector<std::vector<std::uint8_t>> Heads(std::size_t length) const
    {
        std::vector<std::vector<std::uint8_t>> heads;
        for (const auto& report : written)
            heads.emplace_back(report.begin(), report.begin() + static_cast<std::ptrdiff_t>(length));
        return heads;
    }

    std::vector<HidDeviceInfo> enumerate() override
    {
        ++enumerations;
        return devices;
    }
    bool open(const std::string& path) override
    {
        openPath = path;
        return true;
    }
    bool write(std::span<const std::uint8_t> report) override
    {
        written.emplace_back(report.begin(), report.end());
        return true;
    }
    ReadResult read(std::span<std::uint8_t> buffer, int) override
    {
        if (reads.empty())
            return ReadResult::TimedOut;
        ScriptedRead next = std::move(reads.front());
        reads.pop_front();
        std::copy_n(next.bytes.begin(), std::min(next.bytes.size(), buffer.size()), buffer.begin());
        return next.result;
    }
    void close() override
    {
        ++closes;
        openPath.reset();
    }
};

// A meter on a scripted backend, already found, with the link and commands over it.
struct ScriptedMeter {
    ScriptedMeter()
    {
        backend.AddMeter("meter");
        link.FindMeter();
    }

    ScriptedHidBackend backend;
    MeterLink link{backend};
    MeterCommands commands{link};
};

} // namespace voltaryn::testing
