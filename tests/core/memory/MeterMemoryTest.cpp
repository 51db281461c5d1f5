// The meter's memories: its manual records and its SD card's files.
#include "memory/LoadingCaption.h"
#include "memory/ManualRecord.h"
#include "memory/SdCard.h"
#include "memory/SdDownload.h"
#include "memory/SdListing.h"

#include "../link/ScriptedHidBackend.h"
#include "common/CaseFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace voltaryn {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Texts = std::vector<std::string>;

// A report-long reply: byte 0 is 0, `bytes` start at byte `first`, the rest is `fill`.
Bytes Reply(std::size_t first, const Bytes& bytes, std::uint8_t fill = 0)
{
    Bytes reply(65, fill);
    reply[0] = 0;
    std::copy(bytes.begin(), bytes.end(), reply.begin() + static_cast<std::ptrdiff_t>(first));
    return reply;
}

TEST(SdDecode, SummaryAndBlockEntries)
{
    EXPECT_EQ(DecodeSdSummary(Reply(3, {0x00, 0x1E, 0x84, 0x80, 0, 0, 1, 2, 7, 0, 0, 0xFE})),
              (SdCardSummary{2000000, 258, 7, true}));
    EXPECT_EQ(DecodeSdSummary(Reply(11, {3, 0, 0, 0x03})), (SdCardSummary{0, 0, 3, false}));

    const SdBlock block = DecodeSdBlock(Reply(4, {3,                                                // count
                                                  0, 24, 3, 15, 9, 5, 0, 0, 0, 0x01, 0x56,          // 342 bytes
                                                  17, 24, 12, 31, 23, 59, 59, 0, 0, 0x01, 0xA8,     // 424
                                                  255, 0, 1, 2, 3, 4, 100, 0, 0x06, 0x42, 0xE6}));  // 410342
    const std::vector<SdFileEntry> expected = {
        {0, "24/03/15 09:05:00", 342, 0}, {17, "24/12/31 23:59:59", 424, 1}, {255, "00/01/02 03:04:100", 410342, 5000}};
    EXPECT_EQ(block.entries, expected);
}

// Random replies of every length 0..70 (every fifth all 0xFF): a block never holds more than five
// entries, and is readable exactly when it counts no more.
TEST(SdDecode, RandomRepliesOfEveryLengthStayWithinTheirBounds)
{
    std::mt19937 random(20240315);
    std::uniform_int_distribution<int> byte(0, 255);
    int broken = 0;
    for (std::size_t length = 0; length <= 70; ++length) {
        for (int round = 0; round < 50; ++round) {
            Bytes reply(length);
            for (std::uint8_t& b : reply)
                b = static_cast<std::uint8_t>(round % 5 == 0 ? 0xFF : byte(random));
            DecodeSdSummary(reply);
            const SdBlock block = DecodeSdBlock(reply);
            broken += block.entries.size() > 5 || block.Readable() != (block.entryCount <= 5) ? 1 : 0;
        }
    }
    EXPECT_EQ(broken, 0);
}

struct Listed : SdListingSink, EventPump {
    SdListingEnd end{};
    std::vector<int> numbers;
    Texts captions;
    std::vector<Bytes> requests;

    void Entry(const SdFileEntry& entry) override { numbers.push_back(entry.number); }
    void Progress(const std::string& caption) override { captions.push_back(caption); }
    void LetEventsRun() override { captions.emplace_back("events"); }
};

// Lists `fileCount` files from a meter giving block replies counting `counts` (-1: an erased block).
Listed List(const std::vector<int>& counts, int fileCount, SdClosingBlock closing = SdClosingBlock::AfterEntries)
{
    testing::ScriptedMeter meter;
    std::uint8_t number = 0;
    for (int count : counts) {
        Bytes reply = count < 0 ? Reply(1, {}, 0xFF) : Reply(4, {static_cast<std::uint8_t>(count)});
        for (int e = 0; e < std::min(count, 5); ++e)
            reply[5 + 11 * static_cast<std::size_t>(e)] = number++;
        meter.backend.Reply(reply);
    }
    Listed listed;
    listed.end = ListSdFiles(meter.link, listed, fileCount, listed, closing);
    listed.requests = meter.backend.Heads(6);
    return listed;
}

TEST(SdListing, SevenFilesTakeTwoBlocksAndOneMoreRequest)
{
    const Listed listed = List({5, 2, 0}, 7);
    EXPECT_EQ(listed.end, SdListingEnd::Completed);
    EXPECT_EQ(listed.numbers, (std::vector<int>{0, 1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(listed.captions, (Texts{"events", "Loading=> 71.43 %", "events", "Loading=> 100.00 %"}));
    EXPECT_EQ(listed.requests, (std::vector<Bytes>{{0, 67, 2, 1, 0, 0}, {0, 67, 2, 2, 0, 0}, {0, 67, 2, 3, 0, 0}}));
}

TEST(SdListing, ListingsThatEndEarly)
{
    // What, the listing, then how it ended and its counts of requests, captions (progress texts
    // and event runs) and entries.
    using Counts = std::tuple<SdListingEnd, std::size_t, std::size_t, std::size_t>;
    const auto always = SdClosingBlock::Always;
    const std::tuple<const char*, Listed, Counts> cases[] = {
        {"erased block", List({5, -1}, 12), {SdListingEnd::EmptyBlock, 2, 4, 5}},
        {"erased block, closing always", List({5, -1}, 12, always), {SdListingEnd::EmptyBlock, 3, 4, 5}},
        {"count above 5", List({5, 6}, 12, always), {SdListingEnd::Unreadable, 2, 3, 5}},
        {"meter stops answering", List({5}, 12, always), {SdListingEnd::NoReply, 2, 3, 5}},
        {"no files counted: no progress", List({0}, 0, always), {SdListingEnd::EmptyBlock, 2, 1, 0}},
    };
    for (const auto& [name, l, counts] : cases)
        EXPECT_EQ(Counts(l.end, l.requests.size(), l.captions.size(), l.numbers.size()), counts) << name;
}

// Logs what a download yields, in order.
struct Log : SdDownloadSink, EventPump {
    SdDownloadEnd end{};
    Texts lines;
    std::vector<RecordRow> rows;
    Texts captions;
    std::vector<Bytes> requests;

    void StartTime(const std::string& text) override { lines.push_back("start:" + text); }
    void Interval(const std::string& text) override { lines.push_back("interval:" + text); }
    void Row(const RecordRow& row) override
    {
        lines.push_back("row " + row.at(0));
        rows.push_back(row);
    }
    void Progress(const std::string& caption) override { captions.push_back(caption); }
    void LetEventsRun() override { lines.emplace_back("events"); }
};

const std::vector<testing::TestCase> Cases = testing::ReadCases("sd/download.txt");

// The file text a case holds.
std::string Text(const testing::TestCase& c)
{
    std::string text;
    for (const std::string& part : c.All("text"))
        text += part;
    return text;
}

// Downloads file 9 of `records` records whose text is `text`, served in 60-byte chunks.
Log Download(const std::string& text, int records)
{
    testing::ScriptedMeter meter;
    for (std::size_t at = 0; at < text.size(); at += 60) {
        const std::string part = text.substr(at, 60);
        meter.backend.Reply(Reply(4, Bytes(part.begin(), part.end())));
    }
    Log log;
    log.end = DownloadSdFile(meter.link, log, 9, records, log);
    log.requests = meter.backend.Heads(6);
    return log;
}

TEST(SdDownload, FileWithoutRecordsTakesSixChunksThenTheClosingRequest)
{
    const Log log = Download(Text(Cases.at(0)), 0);
    EXPECT_EQ(log.end, SdDownloadEnd::Completed);
    const Bytes first = {0, 67, 3, 9, 1, 0};
    const Bytes next = {0, 67, 3, 9, 2, 0};
    EXPECT_EQ(log.requests, (std::vector<Bytes>{first, next, next, next, next, next, next}));
    EXPECT_EQ(log.captions, (Texts{"Download ... 17.25 %", "Download ... 34.50 %", "Download ... 51.75 %",
                                   "Download ... 69.01 %", "Download ... 86.26 %", "Download 100 %"}));
}

TEST(SdDownload, OnlyLinesFourFiveAndRecordsReachTheSink)
{
    const testing::TestCase& records = Cases.at(1);
    const Log log = Download(Text(Cases.at(0)) + Text(records), 3);
    EXPECT_EQ(log.lines, records.All("yields"));
    EXPECT_EQ(log.rows, records.Rows("row"));
}

// The names the cases in tests/data/manual give the texts of a record, in list order.
const std::array<std::string, 8> TextNames = {"Stamp",       "Voltage",    "Resistance",  "Current",
                                              "Temperature", "InCapacity", "OutCapacity", "TotalCapacity"};

TEST(ManualRecordDecode, DecodesEveryRecordedReply)
{
    const std::vector<testing::TestCase> cases = testing::ReadCases("manual");
    ASSERT_GE(cases.size(), 9u);
    for (const testing::TestCase& c : cases) {
        const ManualRecordTexts texts = DecodeManualRecord(c.bytes);
        for (const auto& [name, text] : c.texts) {
            const auto index = std::ranges::find(TextNames, name) - TextNames.begin();
            ASSERT_LT(index, 8) << c.name << ": " << name;
            EXPECT_EQ(texts[static_cast<std::size_t>(index)], text) << c.name << ": " << name;
        }
    }
}

TEST(ManualRecordRequest, NumberTravelsLowByteFirstInBytes3And4)
{
    testing::ScriptedMeter meter;
    const std::pair<int, std::vector<std::uint8_t>> cases[] = {
        {300, {0, 67, 4, 44, 1, 0}}, {1, {0, 67, 4, 1, 0, 0}}, {32767, {0, 67, 4, 255, 127, 0}}};
    for (const auto& [number, head] : cases) {
        RequestManualRecord(meter.link, number);
        EXPECT_EQ(meter.backend.Heads(6).back(), head) << number;
    }
}

TEST(ManualLoadingCaption, PercentageWithTwoDecimals)
{
    const std::tuple<int, int, const char*> cases[] = {{1, 2, "Loading=> 50.00 %"},    {1, 3, "Loading=> 33.33 %"},
                                                       {2, 3, "Loading=> 66.67 %"},    {1, 32767, "Loading=> 0.00 %"},
                                                       {12, 12, "Loading=> 100.00 %"}};
    for (const auto& [done, total, caption] : cases)
        EXPECT_EQ(LoadingCaption(done, total), caption);
}

} // namespace
} // namespace voltaryn
