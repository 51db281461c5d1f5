#include "SimHarness.h"

#include "memory/SdCard.h"
#include "memory/SdDownload.h"
#include "memory/SdListing.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

namespace voltaryn::sim {
namespace {

using namespace std::chrono_literals;

// Collects what listings and downloads yield; runs a step of the test each time events run.
struct Collected : SdListingSink, SdDownloadSink, EventPump {
    std::vector<SdFileEntry> entries;
    std::string startTime;
    std::string interval;
    std::vector<RecordRow> rows;
    std::vector<std::string> captions;
    std::function<void(int calls)> onEvents = [](int) {};
    int eventRuns = 0;

    void Entry(const SdFileEntry& entry) override { entries.push_back(entry); }
    void StartTime(const std::string& text) override { startTime = text; }
    void Interval(const std::string& text) override { interval = text; }
    void Row(const RecordRow& row) override { rows.push_back(row); }
    void Progress(const std::string& caption) override { captions.push_back(caption); }
    void LetEventsRun() override { onEvents(++eventRuns); }
};

SimTime At(int day, int hour, int minute, int second)
{
    return std::chrono::sys_days{std::chrono::year{2024} / 3 / day} + std::chrono::hours{hour} +
           std::chrono::minutes{minute} + std::chrono::seconds{second};
}

SdListingResult ListAll(SimHarness& sim, Collected& c)
{
    const Answer<SdCardSummary> summary = RequestSdSummary(sim.link);
    EXPECT_TRUE(summary.Fresh());
    return ListSdFiles(sim.link, c, summary.value->fileCount, c);
}

// File numbers with their record counts, of listed entries or of the card's files.
template <typename File>
std::vector<std::pair<int, int>> NumbersAndRecords(const std::vector<File>& files)
{
    std::vector<std::pair<int, int>> pairs;
    pairs.reserve(files.size());
    for (const File& f : files)
        pairs.emplace_back(f.number, f.records);
    return pairs;
}

TEST(SimSdCard, ListingThroughTheLinkGivesTheCardsFiles)
{
    SimHarness sim;
    for (int number = 20; number < 28; ++number)
        sim.meter.Card().AddFile({number, At(1, 8, 0, number), 5s, number * 10});

    const Answer<SdCardSummary> summary = RequestSdSummary(sim.link);
    ASSERT_TRUE(summary.Fresh());
    EXPECT_EQ(*summary.value, (SdCardSummary{2000000, sim.meter.Card().FreeKilobytes(), 12, true}));

    Collected c;
    const SdListingResult result = ListSdFiles(sim.link, c, summary.value->fileCount, c);
    EXPECT_EQ(result.end, SdListingEnd::Completed);
    EXPECT_EQ(result.blocksRequested, 4);
    EXPECT_EQ(NumbersAndRecords(c.entries), NumbersAndRecords(sim.meter.Card().Files()));
    const std::vector<std::string> times = {c.entries.at(1).dateTime, c.entries.at(11).dateTime};
    EXPECT_EQ(times, (std::vector<std::string>{"24/03/12 10:00:00", "24/03/01 08:00:27"}));
}

// The cells of columns 2..8 that are not a number and nothing else.
std::vector<std::string> CellsNotNumbers(const std::vector<RecordRow>& rows)
{
    std::vector<std::string> bad;
    for (const RecordRow& row : rows) {
        for (std::size_t column = 2; column < row.size(); ++column) {
            char* end = nullptr;
            std::strtod(row[column].c_str(), &end);
            if (row[column].empty() || *end != '\0')
                bad.push_back(row[column]);
        }
    }
    return bad;
}

TEST(SimSdCard, DownloadGivesEveryRecordAtItsTime)
{
    SimHarness sim;
    sim.meter.Card().AddFile({7, At(14, 23, 59, 30), 2s, 25});
    Collected c;
    EXPECT_EQ(DownloadSdFile(sim.link, c, 7, 25, c).end, SdDownloadEnd::Completed);
    EXPECT_EQ(c.startTime + "|" + c.interval, "    2024/03/14   23:59:30|     2 sec");
    ASSERT_EQ(c.rows.size(), 25u);
    const RecordRow firstAfterMidnight = {c.rows[15][0], c.rows[15][1]};
    EXPECT_EQ(firstAfterMidnight, (RecordRow{"16", "00:00:00"}));
    EXPECT_EQ(CellsNotNumbers(c.rows), std::vector<std::string>{});
    EXPECT_NEAR(std::stod(c.rows[0][2]), 12.3, 0.7);
}

TEST(SimSdCard, DemoCardsLongFileDownloadsInFull)
{
    SimHarness sim;
    Collected c;
    const SdDownloadResult result = DownloadSdFile(sim.link, c, 1, 5000, c);
    EXPECT_EQ(result.end, SdDownloadEnd::Completed);
    EXPECT_EQ(result.chunks, c.eventRuns);
    ASSERT_EQ(c.rows.size(), 5000u);
    const RecordRow last = {c.rows.back()[0], c.rows.back()[1]};
    EXPECT_EQ(last, (RecordRow{"5000", "12:46:38"}));  // 4999 × 2 s after 10:00:00
    EXPECT_EQ(c.captions.back(), "Download 100 %");
}

TEST(SimSdCard, PulledCableEndsTheDownloadAndAReplugReadsAgain)
{
    SimHarness sim;
    Collected cut;
    cut.onEvents = [&](int calls) {
        if (calls == 10)
            sim.backend.Unplug();
    };
    const SdDownloadResult result = DownloadSdFile(sim.link, cut, 2, 600, cut);
    EXPECT_EQ(std::pair(result.end, result.chunks), std::pair(SdDownloadEnd::NoReply, 10));
    ASSERT_EQ(cut.rows.size(), 3u);  // 600 bytes: the header and three record lines

    sim.backend.Plug();
    Collected again;
    EXPECT_EQ(DownloadSdFile(sim.link, again, 2, 600, again).end, SdDownloadEnd::Completed);
    ASSERT_EQ(again.rows.size(), 600u);
    EXPECT_EQ(std::vector<RecordRow>(again.rows.begin(), again.rows.begin() + 3), cut.rows);
}

TEST(SimSdCard, RecordingTextKeepsItsFixedLayout)
{
    const SdFile file{3, At(10, 12, 0, 0), 60s, 3};
    std::vector<std::uint8_t> text(static_cast<std::size_t>(file.Size()) + 10, 0xAA);
    SdRecordingText(file).Read(0, text);
    const std::string all(text.begin(), text.begin() + file.Size());
    EXPECT_EQ(std::count(all.begin(), all.begin() + 342, '\n'), 11);
    EXPECT_EQ(all[341], '\n');
    for (std::size_t line = 0; line < 3; ++line)
        EXPECT_EQ(all.find('\n', 342 + 82 * line), 342 + 82 * line + 81);
    EXPECT_EQ(std::count(text.begin() + file.Size(), text.end(), 0), 10);
}

TEST(SimSdCard, DeletingOneFileThenAll)
{
    SimHarness sim;
    const std::uint32_t freeBefore = sim.meter.Card().FreeKilobytes();
    EXPECT_TRUE(sim.commands.SdDeleteFile(1));
    Collected c;
    EXPECT_EQ(ListAll(sim, c).end, SdListingEnd::Completed);
    ASSERT_EQ(c.entries.size(), 3u);
    EXPECT_EQ(c.entries[1].number, 2);
    EXPECT_EQ(sim.meter.Card().FreeKilobytes(), freeBefore + 401);

    sim.commands.SdDeleteAll();
    const Answer<SdCardSummary> summary = RequestSdSummary(sim.link);
    ASSERT_TRUE(summary.Fresh());
    EXPECT_EQ(summary.value->fileCount, 0);
    EXPECT_EQ(summary.value->freeKilobytes, 2000000u);
}

TEST(SimSdCard, FaultsEndTheListing)
{
    struct Case {
        const char* name;
        std::function<void(SimHarness&)> inject;
        SdListingEnd end;
        std::size_t entries;
    };
    const Case cases[] = {
        {"no card", [](SimHarness& sim) { sim.meter.Card().SetPresent(false); }, SdListingEnd::EmptyBlock, 0},
        {"erased second block", [](SimHarness& sim) { sim.meter.Card().InjectBlockFault(2, SdBlockFault::Erased); },
         SdListingEnd::EmptyBlock, 5},
        {"first block counts six",
         [](SimHarness& sim) { sim.meter.Card().InjectBlockFault(1, SdBlockFault::Overcounted); },
         SdListingEnd::Unreadable, 0},
    };
    for (const Case& c : cases) {
        SimHarness sim;
        for (int number = 10; number < 16; ++number)
            sim.meter.Card().AddFile({number, At(1, 0, 0, 0), 1s, 1});
        c.inject(sim);
        Collected seen;
        const SdListingResult result = ListSdFiles(sim.link, seen, 10, seen);
        EXPECT_EQ(result.end, c.end) << c.name;
        EXPECT_EQ(seen.entries.size(), c.entries) << c.name;
    }

    SimHarness sim;
    sim.meter.Card().SetPresent(false);
    EXPECT_FALSE(RequestSdSummary(sim.link).value->cardPresent);
    sim.meter.Card().SetPresent(true);
    sim.backend.InjectFault(ReplyFault::Short);
    EXPECT_EQ(RequestSdSummary(sim.link).value->fileCount, 0);  // byte 11 is not in a cut reply
}

} // namespace
} // namespace voltaryn::sim
