#pragma once

#include "link/HidBackend.h"
#include "protocol/Protocol.h"

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace voltaryn {

// Finds the meter among the HID interfaces and exchanges one report at a time with it.
//
// There is no queue, framing or retry here: a request is one output report; SendAndReceive waits
// for at most one input report. A failed or timed-out read forgets the device, and the next call
// of either operation searches for it again, so an unplugged and re-plugged meter is picked up
// without any user action.
class MeterLink {
public:
    static constexpr std::uint16_t MeterVendorId = protocol::MeterVendorId;
    static constexpr std::uint16_t MeterProductId = protocol::MeterProductId;
    // The meter's report descriptor cannot be read through every platform's HID layer, so the
    // report length is the protocol's fixed one.
    static constexpr std::size_t ReportLength = protocol::ReportLength;
    static constexpr int ReadTimeoutMs = 4000;

    using Report = protocol::Report;

    explicit MeterLink(HidBackend& backend);

    // Every HID interface present with the meter's vendor and product id, in enumeration order.
    std::vector<HidDeviceInfo> MeterInterfaces();
    // Limits every later search to the interface at `path`, for a PC with several meters; an
    // empty path lets the search take the first meter again.
    void SearchOnly(std::string path) { searchPath_ = std::move(path); }

    // Searches the HID interfaces in enumeration order and opens the first one with the meter's
    // vendor and product id that can be opened (the one at the SearchOnly path, when one is set).
    // Returns whether one was found.
    bool FindMeter();

    // Sends OutputReport and waits for one reply (searching first if the meter is not detected).
    // Returns whether a fresh reply arrived; when nothing could be sent or no reply came,
    // InputReport keeps the previous reply.
    bool SendAndReceive();
    // Sends OutputReport without waiting for a reply. A call that had to search for the meter
    // sends nothing, even when the search finds it.
    void SendOnly();

    // Writes bytes 1, 2, ... of OutputReport. Bytes after the last one given keep what earlier
    // commands left there; they travel along because every report is written at full length.
    void SetRequest(std::initializer_list<std::uint8_t> bytesFromOne);

    bool DeviceDetected() const { return deviceDetected_; }
    const std::string& DevicePathName() const { return devicePathName_; }
    // Ids of the matched device; both are 0 after a failed read, so a stale match is impossible.
    std::uint16_t MatchedVendorId() const { return matchedVendorId_; }
    std::uint16_t MatchedProductId() const { return matchedProductId_; }

    const Report& OutputReport() const { return outputReport_; }
    const Report& InputReport() const { return inputReport_; }
    // Whether any reply has arrived in this run, so InputReport holds one.
    bool HasReply() const { return hasReply_; }

private:
    bool ReadInputReport();
    void Forget();

    HidBackend& backend_;
    std::string searchPath_;
    bool deviceDetected_ = false;
    std::string devicePathName_;
    std::uint16_t matchedVendorId_ = 0;
    std::uint16_t matchedProductId_ = 0;
    Report outputReport_{};
    Report inputReport_{};
    bool hasReply_ = false;
};

} // namespace voltaryn
