#include "settings/ComparatorLoad.h"

#include "../link/ScriptedHidBackend.h"

#include <gtest/gtest.h>

namespace voltaryn {
namespace {


// The reply to a read of entry n: high resistance count n at 40 mOhm, the rest zero.
std::vector<std::uint8_t> EntryReply(int n)
{
    std::vector<std::uint8_t> reply(65, 0);
    reply[3] = static_cast<std::uint8_t>(n);
    reply[10] = 0x05;
    return reply;
}

struct ComparatorLoad : ::testing::Test, EventPump, testing::ScriptedMeter {
    void LetEventsRun() override { log.emplace_back("events"); }

    ComparatorLoadResult Load(int replies)
    {
        for (int n = 1; n <= replies; ++n)
            backend.Reply(EntryReply(n));
        return LoadComparatorTable(commands, table, *this, [&](const ComparatorRowTexts& row) {
            log.push_back(row[0] + ":" + row[1]);
        });
    }

    ComparatorTable table;
    std::vector<std::string> log;
};

TEST_F(ComparatorLoad, ReadsAllEntriesInOrderWithEventsAfterEachRow)
{
    const ComparatorLoadResult result = Load(99);
    EXPECT_TRUE(result.Complete());
    ASSERT_EQ(log.size(), 198u);
    EXPECT_EQ(log[196], "99:0.99 / 40 mOhm");
    EXPECT_EQ(table.At(99).HighOhm.Count, 99);
    const std::vector<std::uint8_t> lastRequest(backend.written.back().begin(), backend.written.back().begin() + 6);
    EXPECT_EQ(lastRequest, (std::vector<std::uint8_t>{0, 65, 2, 6, 99, 0}));
}

TEST_F(ComparatorLoad, StopsWhenTheMeterStopsAnsweringAndKeepsWhatItRead)
{
    table.At(4).LowOhm.Count = 777;
    const ComparatorLoadResult result = Load(3);
    EXPECT_FALSE(result.Complete());
    EXPECT_EQ(result.entriesRead, 3);
    EXPECT_EQ(log, (std::vector<std::string>{"1:0.01 / 40 mOhm", "events", "2:0.02 / 40 mOhm", "events",
                                             "3:0.03 / 40 mOhm", "events"}));
    EXPECT_EQ(table.At(3).HighOhm.Count, 3);
    ComparatorEntry untouched;
    untouched.LowOhm.Count = 777;
    EXPECT_EQ(table.At(4), untouched);
}

TEST(ComparatorTable, RefusesNumbersOutsideTheMetersEntries)
{
    ComparatorTable table;
    for (const int number : {0, -1, 100})
        EXPECT_THROW(table.At(number), std::out_of_range) << number;
}

} // namespace
} // namespace voltaryn
