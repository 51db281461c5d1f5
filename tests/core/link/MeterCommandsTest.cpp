#include "link/MeterCommands.h"

#include "ScriptedHidBackend.h"

#include <gtest/gtest.h>

#include <functional>

namespace voltaryn {
namespace {

using Bytes = std::vector<std::uint8_t>;

class MeterCommandsTest : public ::testing::Test, protected testing::ScriptedMeter {
protected:
    // The bytes of the last report sent, from byte 0 up to and including byte last.
    Bytes Sent(std::size_t last) const
    {
        const Bytes& report = backend.written.back();
        return Bytes(report.begin(), report.begin() + static_cast<long>(last) + 1);
    }
};

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
        EXPECT_EQ(Sent(bytes.size() - 1), bytes);
        EXPECT_EQ(backend.reads.empty(), awaitsReply);
    }
}

TEST_F(MeterCommandsTest, ShortCommandsCarryTheTailOfAComparatorWrite)
{
    commands.WriteComparatorEntry(3, {11, 12, 13, 14, 15, 16, 17, 18, 19, 20});
    commands.SetMeterInterval(5);
    EXPECT_EQ(Sent(14), (Bytes{0, 65, 3, 2, 5, 0, 12, 13, 14, 15, 16, 17, 18, 19, 20}));
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
