#include "link/MeterLink.h"

#include "ScriptedHidBackend.h"

#include <gtest/gtest.h>

namespace voltaryn {
namespace {

using testing::ScriptedHidBackend;

class MeterLinkTest : public ::testing::Test {
protected:
    ScriptedHidBackend backend;
    MeterLink link{backend};
};

TEST_F(MeterLinkTest, WithoutAMeterNothingIsSentAndEveryCallSearches)
{
    backend.devices.push_back({"keyboard", 0x046d, 0xc31c});
    EXPECT_FALSE(link.SendAndReceive());
    link.SendOnly();
    EXPECT_FALSE(link.DeviceDetected());
    EXPECT_EQ(backend.enumerations, 2);
    EXPECT_TRUE(backend.written.empty());
    EXPECT_FALSE(link.HasReply());
}

TEST_F(MeterLinkTest, ShortReplyIsZeroFilledNotMixedWithThePreviousOne)
{
    backend.AddMeter("meter");
    std::vector<std::uint8_t> full(MeterLink::ReportLength, 0xAA);
    full[0] = 0;
    backend.Reply(full);
    backend.Reply({0, 1, 2});
    link.SendAndReceive();
    link.SendAndReceive();
    EXPECT_EQ(link.InputReport()[2], 2);
    EXPECT_EQ(link.InputReport()[3], 0);
    EXPECT_EQ(link.InputReport()[64], 0);
}

TEST_F(MeterLinkTest, ReadFailureForgetsTheMeterButKeepsTheLastReply)
{
    for (ReadResult failure : {ReadResult::TimedOut, ReadResult::Failed}) {
        ScriptedHidBackend backend;
        MeterLink link(backend);
        backend.AddMeter("meter");
        backend.Reply({0, 3});
        EXPECT_TRUE(link.SendAndReceive());
        backend.reads.push_back({failure, {0, 9}});
        EXPECT_FALSE(link.SendAndReceive());

        EXPECT_EQ(std::tuple(link.DeviceDetected(), backend.closes, backend.openPath.has_value()), std::tuple(false, 1, false));
        EXPECT_EQ(std::pair(link.MatchedVendorId(), link.MatchedProductId()), (std::pair<std::uint16_t, std::uint16_t>{0, 0}));
        EXPECT_EQ(link.InputReport()[1], 3);
    }
}

// A PC with several meters: they are listed in enumeration order, and a search limited to one
// path opens that meter or none at all.
TEST_F(MeterLinkTest, SearchCanBeLimitedToOneOfSeveralMeters)
{
    backend.devices.push_back({"keyboard", 0x046d, 0xc31c});
    backend.AddMeter("first");
    backend.AddMeter("second");
    std::vector<std::string> listed;
    for (const HidDeviceInfo& meter : link.MeterInterfaces())
        listed.push_back(meter.path);
    EXPECT_EQ(listed, (std::vector<std::string>{"first", "second"}));

    link.SearchOnly("second");
    EXPECT_TRUE(link.FindMeter());
    EXPECT_EQ(backend.openPath, "second");
    link.SearchOnly("keyboard");
    EXPECT_FALSE(link.FindMeter());
    link.SearchOnly("");
    EXPECT_TRUE(link.FindMeter());
    EXPECT_EQ(link.DevicePathName(), "first");
}

} // namespace
} // namespace voltaryn
