#include "memory/SdDownload.h"

#include "../link/ScriptedHidBackend.h"

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

// Eleven LF-ended lines, 342 bytes in all; lines 4 and 5 are filled with their own digit.
std::string Header()
{
    std::string header;
    for (char line = '1'; line <= '9' + 2; ++line) {
        const bool digits = line == '4' || line == '5';
        header += std::string(line == '9' + 2 ? 341 - header.size() : digits ? 36 : 26, digits ? line : '.') + "\n";
    }
    return header;
}

// Downloads file 9 of `records` records whose text is `text`, served in 60-byte chunks.
Log Download(const std::string& text, int records)
{
    testing::ScriptedHidBackend backend;
    backend.AddMeter("meter");
    for (std::size_t at = 0; at < text.size(); at += 60) {
        Bytes reply(65, 0);
        const std::string part = text.substr(at, 60);
        std::copy(part.begin(), part.end(), reply.begin() + 4);
        backend.Reply(reply);
    }
    MeterLink link(backend);
    Log log;
    log.end = DownloadSdFile(link, log, 9, records, log);
    for (const auto& request : backend.written)
        log.requests.emplace_back(request.begin(), request.begin() + 6);
    return log;
}

TEST(SdDownload, FileWithoutRecordsTakesSixChunksThenTheClosingRequest)
{
    const Log log = Download(Header(), 0);
    EXPECT_EQ(log.end, SdDownloadEnd::Completed);
    const Bytes first = {0, 67, 3, 9, 1, 0};
    const Bytes next = {0, 67, 3, 9, 2, 0};
    EXPECT_EQ(log.requests, (std::vector<Bytes>{first, next, next, next, next, next, next}));
    EXPECT_EQ(log.captions, (Texts{"Download ... 17.25 %", "Download ... 34.50 %", "Download ... 51.75 %",
                                   "Download ... 69.01 %", "Download ... 86.26 %", "Download 100 %"}));
}

// A full record line has 81 characters; shorter ones give short or empty fields.
TEST(SdDownload, OnlyLinesFourFiveAndRecordsReachTheSink)
{
    const auto run = [](std::size_t length, char c) { return std::string(length, c); };
    const std::string record = " " + run(8, '1') + " " + run(9, '2') + " " + run(9, '3') + " " + run(8, '4') +
                               run(9, '5') + run(13, '6') + run(9, '7') + run(10, '8') + "  \n";
    const Log log = Download(Header() + record + "x10:00:01 12.500000 0400.0000 -2.00000024.5\r\n\n", 3);
    EXPECT_EQ(log.lines, (Texts{"events", "start:    4444444444   44444444", "events", "interval:5555555555",
                                "events", "events", "events", "events", "events", "row 1", "row 2", "row 3",
                                "events"}));
    EXPECT_EQ(log.rows, (std::vector<RecordRow>{
                            {"1", "11111111", "222222222", "333333333", "44444444", "555555555", "6666666666666",
                             "777777777", "8888888888"},
                            {"2", "10:00:01", "12.500000", "0400.0000", "-2.00000", "024.5\r", "", "", ""},
                            {"3", "", "", "", "", "", "", "", ""}}));
}

} // namespace
} // namespace voltaryn
