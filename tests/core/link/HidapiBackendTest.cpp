// The hidapi backend alone, and under the meter link and its commands, against stand-ins for
// hidapi's functions: what the program does with a real meter, minus the cable.
#include "link/HidapiBackend.h"
#include "link/MeterCommands.h"

#include <gtest/gtest.h>
#include <hidapi.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
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
FakeHidMachine fakeHid;

} // namespace voltaryn::testing

// Stand-ins for the hidapi functions the backend calls, with hidapi's own signatures, so the
// backend runs unchanged against fake devices. They keep hidraw's report-id convention: hid_write
// receives the report id first, hid_read_timeout returns reports of unnumbered devices without it.
using voltaryn::testing::FakeHidDevice;
using voltaryn::testing::fakeHid;

struct hid_device_ {
    FakeHidDevice* device;
};

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

namespace voltaryn {
namespace {

using testing::FakeHidDevice;

// The identification reply as hidraw delivers it, without the report id.
const std::vector<std::uint8_t> Identification = {'K', 'A', 'V', ' ', '7', '1', 'K'};

class HidapiBackendTest : public ::testing::Test {
protected:
    HidapiBackendTest() { machine = {}; }

    testing::FakeHidMachine& machine = testing::fakeHid;
    HidapiBackend backend;
    MeterLink link{backend};
    MeterCommands commands{link};
};

TEST_F(HidapiBackendTest, NothingToReadTimesOutAndAVanishedDeviceFails)
{
    FakeHidDevice& device = machine.Plug({.path = "/dev/hidraw0"});
    std::array<std::uint8_t, 65> buffer{};
    const std::array<std::uint8_t, 65> report{};

    EXPECT_EQ(backend.read(buffer, 4000), ReadResult::Failed) << "nothing open yet";
    EXPECT_FALSE(backend.write(report)) << "nothing open yet";

    ASSERT_TRUE(backend.open("/dev/hidraw0"));
    EXPECT_TRUE(backend.write(report));
    EXPECT_EQ(backend.read(buffer, 4000), ReadResult::TimedOut);

    device.plugged = false;
    EXPECT_FALSE(backend.write(report));
    EXPECT_EQ(backend.read(buffer, 4000), ReadResult::Failed);

    backend.close();
    EXPECT_EQ(machine.openHandles, 0);
    EXPECT_EQ(backend.read(buffer, 4000), ReadResult::Failed);
}

// A send without a reply that had to search for the meter sends nothing; the next request goes
// out whole, report id first, and its answer arrives with the report id put back in byte 0.
TEST_F(HidapiBackendTest, ReportsTravelWithTheReportIdInByteZero)
{
    FakeHidDevice& device = machine.PlugMeter("/dev/hidraw0");
    commands.PressKey(1, 0);
    EXPECT_TRUE(link.DeviceDetected() && device.received.empty());

    device.pending = {Identification};
    const Answer<std::string> ident = commands.IdentifyMeter();
    MeterLink::Report request{};
    request[1] = 65;  // command class, identification group 0, code 1
    request[3] = 1;
    ASSERT_EQ(device.received.size(), 1u);
    EXPECT_EQ(device.received[0], std::vector<std::uint8_t>(request.begin(), request.end()));
    MeterLink::Report reply{};
    std::copy(Identification.begin(), Identification.end(), reply.begin() + 1);
    EXPECT_EQ(link.InputReport(), reply);
    EXPECT_EQ(std::tuple(ident.value, machine.lastReadTimeoutMs), std::tuple("KAV 71K", MeterLink::ReadTimeoutMs));
}

TEST_F(HidapiBackendTest, OnlyTheFirstOpenableMeterInEnumerationOrderIsUsed)
{
    machine.Plug({.path = "/dev/hidraw0", .vendorId = 0x046d, .productId = 0xc31c});
    FakeHidDevice& held = machine.PlugMeter("/dev/hidraw1");
    held.openable = false;
    FakeHidDevice& first = machine.PlugMeter("/dev/hidraw2");
    FakeHidDevice& second = machine.PlugMeter("/dev/hidraw3");
    first.pending = {Identification, {3}};

    const Answer<std::string> ident = commands.IdentifyMeter();
    commands.ReadRange();

    EXPECT_EQ(machine.openAttempts, (std::vector<std::string>{"/dev/hidraw1", "/dev/hidraw2"}));
    EXPECT_EQ(std::tuple(link.DevicePathName(), ident.value, first.received.size(), held.received.size(), second.received.size()),
              std::tuple("/dev/hidraw2", "KAV 71K", 2u, 0u, 0u));
}

} // namespace
} // namespace voltaryn
