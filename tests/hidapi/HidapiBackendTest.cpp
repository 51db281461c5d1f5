#include "link/HidapiBackend.h"

#include "FakeHidapi.h"

#include <gtest/gtest.h>

#include <array>

namespace voltaryn {
namespace {

using testing::FakeHidMachine;

class HidapiBackendTest : public ::testing::Test {
protected:
    FakeHidMachine machine;
    HidapiBackend backend;
};

TEST_F(HidapiBackendTest, NothingToReadTimesOutAndAVanishedDeviceFails)
{
    machine.Plug({.path = "/dev/hidraw0"});
    std::array<std::uint8_t, 65> buffer{};
    const std::array<std::uint8_t, 65> report{};

    EXPECT_EQ(backend.read(buffer, 4000), ReadResult::Failed) << "nothing open yet";
    EXPECT_FALSE(backend.write(report)) << "nothing open yet";

    ASSERT_TRUE(backend.open("/dev/hidraw0"));
    EXPECT_TRUE(backend.write(report));
    EXPECT_EQ(backend.read(buffer, 4000), ReadResult::TimedOut);

    machine.Unplug("/dev/hidraw0");
    EXPECT_FALSE(backend.write(report));
    EXPECT_EQ(backend.read(buffer, 4000), ReadResult::Failed);

    backend.close();
    EXPECT_EQ(machine.openHandles, 0);
    EXPECT_EQ(backend.read(buffer, 4000), ReadResult::Failed);
}

TEST(HidapiBackendLifetime, SetsUpHidapiOnceAndReleasesItWithTheLastBackend)
{
    FakeHidMachine machine;
    machine.Plug({.path = "/dev/hidraw0"});
    {
        HidapiBackend first;
        {
            HidapiBackend second;
            ASSERT_TRUE(second.open("/dev/hidraw0"));
        }
        EXPECT_EQ(machine.openHandles, 0) << "a destroyed backend closes its device";
        EXPECT_EQ(machine.exitCalls, 0) << "hidapi is still in use";
    }
    EXPECT_EQ(machine.initCalls, 1);
    EXPECT_EQ(machine.exitCalls, 1);
}

} // namespace
} // namespace voltaryn
