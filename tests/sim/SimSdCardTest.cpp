#include "SimHarness.h"

#include "memory/SdCard.h"
#include "memory/SdDownload.h"
#include "memory/SdListing.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace voltaryn::sim {
namespace {

using namespace std::chrono_literals;

// Collects what listings and downloads yield.
struct Collected : SdListingSink, SdDownloadSink, EventPump {
    std::vector<std::pair<int, int>> numbersAndRecords;
    std::vector<std::string> dateTimes;
    std::string startAndInterval;
    std::vector<RecordRow> rows;

    void Entry(const SdFileEntry& entry) override
    {
        numbersAndRecords.emplace_back(entry.number, entry.records);
        dateTimes.push_back(entry.dateTime);
    }
    void StartTime(const std::string& text) override { startAndInterval += text + "|"; }
    void Interval(const std::string& text) override { startAndInterval += text; }
    void Row(const RecordRow& row) override { rows.push_back(row); }
    void Progress(const std::string&) override {}
    void LetEventsRun() override {}
};

TEST(SimSdCard, ListsEveryFileOfTheCardOverSeveralBlocks)
{
    SimHarness sim;
    const SimTime march1 = std::chrono::sys_days{std::chrono::year{2024} / 3 / 1};
    for (int number = 20; number < 28; ++number)
        sim.meter.Card().AddFile({number, march1 + std::chrono::seconds{number}, 5s, number * 10});
    Collected all;
    EXPECT_EQ(ListSdFiles(sim.link, all, RequestSdSummary(sim.link).value->fileCount, all), SdListingEnd::Completed);
    std::vector<std::pair<int, int>> expected;
    for (const SdFile& file : sim.meter.Card().Files())
        expected.emplace_back(file.number, file.records);
    EXPECT_EQ(all.numbersAndRecords, expected);
    EXPECT_EQ(all.dateTimes.at(1) + " " + all.dateTimes.at(11), "24/03/12 10:00:00 24/03/01 00:00:27");
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

TEST(SimSdCard, DemoCardsLongFileDownloadsEveryRecordAtItsTime)
{
    SimHarness sim;
    Collected c;
    EXPECT_EQ(DownloadSdFile(sim.link, c, 1, 5000, c), SdDownloadEnd::Completed);
    EXPECT_EQ(c.startAndInterval, "    2024/03/12   10:00:00|     2 sec");
    ASSERT_EQ(c.rows.size(), 5000u);
    const RecordRow firstAndLast = {c.rows[0][0], c.rows[0][1], c.rows.back()[0], c.rows.back()[1]};
    EXPECT_EQ(firstAndLast, (RecordRow{"1", "10:00:00", "5000", "12:46:38"}));  // 4999 × 2 s later
    EXPECT_EQ(CellsNotNumbers(c.rows), std::vector<std::string>{});
}

} // namespace
} // namespace voltaryn::sim
