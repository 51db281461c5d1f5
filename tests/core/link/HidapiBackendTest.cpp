// The hidapi backend alone, and under the meter link and its commands, against the stand-in hidapi
// functions: what the program does with a real meter, minus the cable.
#include "link/HidapiBackend.h"
#include "link/MeterCommands.h"

#include "FakeHidapi.h"

#include <gtest/gtest.h>

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
