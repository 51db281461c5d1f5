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

} // namespace
} // namespace voltaryn
