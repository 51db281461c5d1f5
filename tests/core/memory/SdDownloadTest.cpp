#include "memory/SdDownload.h"

#include "../link/ScriptedHidBackend.h"
#include "common/CaseFile.h"

#include <gtest/gtest.h>

namespace voltaryn {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Texts = std::vector<std::string>;

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
        Bytes reply(65, 0);
        const std::string part = text.substr(at, 60);
        std::copy(part.begin(), part.end(), reply.begin() + 4);
        meter.backend.Reply(reply);
    }
    Log log;
    log.end = DownloadSdFile(meter.link, log, 9, records, log);
    for (const auto& request : meter.backend.written)
        log.requests.emplace_back(request.begin(), request.begin() + 6);
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

} // namespace
} // namespace voltaryn
