// The link to the meter over a scripted HID backend, and the commands sent over it.
#include "link/MeterCommands.h"
#include "link/MeterLink.h"

#include "ScriptedHidBackend.h"

#include <gtest/gtest.h>

#include <functional>

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
    EXPECT_EQ(std::tuple(link.InputReport()[2], link.InputReport()[3], link.InputReport()[64]), std::tuple(2, 0, 0));
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

using Bytes = std::vector<std::uint8_t>;

class MeterCommandsTest : public ::testing::Test, protected testing::ScriptedMeter {};

TEST_F(MeterCommandsTest, EveryCommandSendsItsBytesAndWaitsOnlyWhenItMust)
{
    const MeterClockBytes clock{26, 12, 5, 23, 59, 58};
    const ComparatorPayload entry{1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    const std::vector<std::tuple<const char*, std::function<void(MeterCommands&)>, Bytes, bool>> cases = {
        // command, how it is sent, the report bytes 0.. it sets, whether it waits for a reply
        {"IdentifyMeter", [](MeterCommands& c) { c.IdentifyMeter(); }, {0, 65, 0, 1, 0, 0}, true},
        {"PressKey", [](MeterCommands& c) { c.PressKey(7, 2); }, {0, 65, 1, 7, 2, 0}, false},
        {"PressKey4", [](MeterCommands& c) { c.PressKey(4, 3); }, {0, 65, 1, 4, 0, 0}, false},
        {"ReadMeterClock", [](MeterCommands& c) { c.ReadMeterClock(); }, {0, 65, 2, 1, 0, 0}, true},
        {"ReadMeterInterval", [](MeterCommands& c) { c.ReadMeterInterval(); }, {0, 65, 2, 2, 0, 0}, true},
        {"ReadRecordCount", [](MeterCommands& c) { c.ReadRecordCount(); }, {0, 65, 2, 3, 0, 0}, true},
        {"ReadRange", [](MeterCommands& c) { c.ReadRange(); }, {0, 65, 2, 4, 0, 0}, true},
        {"ReadAverageNumber", [](MeterCommands& c) { c.ReadAverageNumber(); }, {0, 65, 2, 5, 0, 0}, true},
        {"ReadComparatorEntry", [](MeterCommands& c) { c.ReadComparatorEntry(99); }, {0, 65, 2, 6, 99, 0}, true},
        {"SetMeterClock", [&](MeterCommands& c) { c.SetMeterClock(clock); }, {0, 65, 3, 1, 26, 12, 5, 23, 59, 58}, false},
        {"SetMeterInterval", [](MeterCommands& c) { c.SetMeterInterval(255); }, {0, 65, 3, 2, 255, 0}, false},
        {"ClearMeterMemory", [](MeterCommands& c) { c.ClearMeterMemory(); }, {0, 65, 3, 3, 0, 0}, false},
        {"SdDeleteAll", [](MeterCommands& c) { c.SdDeleteAll(); }, {0, 65, 3, 4, 1, 0}, false},
        {"SdDeleteFile", [](MeterCommands& c) { c.SdDeleteFile(17); }, {0, 65, 3, 4, 2, 17}, true},
        {"SetAverageNumber", [](MeterCommands& c) { c.SetAverageNumber(16); }, {0, 65, 3, 5, 16, 0}, false},
        {"WriteComparatorEntry", [&](MeterCommands& c) { c.WriteComparatorEntry(42, entry); },
         {0, 65, 3, 6, 42, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, false},
        {"ReadDisplay", [](MeterCommands& c) { c.ReadDisplay(); }, {0, 66, 0, 0, 0, 0}, true},
    };
    for (const auto& [name, send, bytes, awaitsReply] : cases) {
        SCOPED_TRACE(name);
        backend.reads.clear();
        backend.Reply(Bytes(MeterLink::ReportLength, 1));
        const std::size_t writesBefore = backend.written.size();
        send(commands);
        ASSERT_EQ(backend.written.size(), writesBefore + 1);
        EXPECT_EQ(backend.Heads(bytes.size()).back(), bytes);
        EXPECT_EQ(backend.reads.empty(), awaitsReply);
    }
}

TEST_F(MeterCommandsTest, ShortCommandsCarryTheTailOfAComparatorWrite)
{
    commands.WriteComparatorEntry(3, {11, 12, 13, 14, 15, 16, 17, 18, 19, 20});
    commands.SetMeterInterval(5);
    EXPECT_EQ(backend.Heads(15).back(), (Bytes{0, 65, 3, 2, 5, 0, 12, 13, 14, 15, 16, 17, 18, 19, 20}));
}

TEST_F(MeterCommandsTest, RepliesAreDecodedIntoTheirAnswers)
{
    backend.Reply({0, 26, 12, 5, 9, 5, 30});
    EXPECT_EQ(commands.ReadMeterClock().value, (MeterClockBytes{26, 12, 5, 9, 5, 30}));
    backend.Reply({0, 200, 99});
    EXPECT_EQ(commands.ReadMeterInterval().value, 200);
    backend.Reply({0, 0x2c, 0x01});
    EXPECT_EQ(commands.ReadRecordCount().value, 300);
    backend.Reply({0, 0xff, 0x7f});
    EXPECT_EQ(commands.ReadAverageNumber().value, 32767);
    backend.Reply({0, 9, 0x27, 0x0f, 0, 1, 2, 3, 4, 5, 0x81, 0x42, 77});
    EXPECT_EQ(commands.ReadComparatorEntry(1).value, (ComparatorPayload{0x27, 0x0f, 0, 1, 2, 3, 4, 5, 0x81, 0x42}));
}

TEST_F(MeterCommandsTest, AnswersSayWhereTheirReplyCameFrom)
{
    // The meter is found but has not answered yet: there is nothing to decode.
    const Answer<std::int16_t> range = commands.ReadRange();
    EXPECT_EQ(std::pair(range.source, range.value.has_value()), std::pair(ReplySource::None, false));

    // A count above 32767 makes no sense; decoded again as the previous reply it gives nothing.
    link.FindMeter();
    backend.Reply({0, 0x00, 0x80});
    Answer<std::int16_t> count = commands.ReadRecordCount();
    EXPECT_EQ(count.source, ReplySource::Invalid);
    EXPECT_FALSE(count.value);
    count = commands.ReadRecordCount();
    EXPECT_EQ(count.source, ReplySource::None);
}

} // namespace
} // namespace voltaryn
