#include "memory/SdDownload.h"

#include "../link/ScriptedHidBackend.h"

#include <gtest/gtest.h>

namespace voltaryn {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Logs everything a download yields, in order, as "kind: text".
struct Log : SdDownloadSink, EventPump {
    std::vector<std::string> lines;
    std::vector<RecordRow> rows;
    std::vector<std::string> captions;
    int eventRuns = 0;

    void StartTime(const std::string& text) override { lines.push_back("start: " + text); }
    void Interval(const std::string& text) override { lines.push_back("interval: " + text); }
    void Row(const RecordRow& row) override
    {
        lines.push_back("row " + row.at(0));
        rows.push_back(row);
    }
    void Progress(const std::string& caption) override { captions.push_back(caption); }
    void LetEventsRun() override { ++eventRuns; }
};

// A header of eleven LF-ended lines, 342 bytes in all, each naming its number; lines 4 and 5
// are filled with their own digit.
std::string Header()
{
    std::string header;
    for (int line = 1; line <= 11; ++line) {
        const bool digits = line == 4 || line == 5;
        std::string text = "line " + std::to_string(line) + " ";
        text.resize(line == 11 ? 342 - header.size() - 1 : digits ? 36 : 26, digits ? char('0' + line) : '.');
        header += text + "\n";
    }
    return header;
}

// A record line: 81 characters, each column's range filled with its own digit, and the LF.
std::string RecordLine()
{
    std::string line(81, ' ');
    const std::pair<std::size_t, std::size_t> columns[] = {{2, 9},   {11, 19}, {21, 29}, {31, 38},
                                                           {39, 47}, {48, 60}, {61, 69}, {70, 79}};
    char digit = '1';
    for (auto [first, last] : columns) {
        std::fill(line.begin() + static_cast<std::ptrdiff_t>(first) - 1, line.begin() + static_cast<std::ptrdiff_t>(last), digit);
        ++digit;
    }
    return line + "\n";
}

// The chunk replies that carry `text`, 60 bytes each in bytes 4..63.
std::vector<Bytes> Chunks(const std::string& text)
{
    std::vector<Bytes> replies;
    for (std::size_t at = 0; at < text.size(); at += 60) {
        Bytes reply(65, 0);
        const std::string part = text.substr(at, 60);
        std::copy(part.begin(), part.end(), reply.begin() + 4);
        replies.push_back(reply);
    }
    return replies;
}

struct Downloaded {
    SdDownloadResult result;
    Log log;
    std::vector<Bytes> requests;
};

Downloaded Download(const std::string& text, int records, std::size_t repliesGiven = SIZE_MAX)
{
    testing::ScriptedHidBackend backend;
    backend.AddMeter("meter");
    std::vector<Bytes> replies = Chunks(text);
    replies.resize(std::min(replies.size(), repliesGiven));
    for (const Bytes& reply : replies)
        backend.Reply(reply);
    MeterLink link(backend);
    Downloaded d;
    d.result = DownloadSdFile(link, d.log, 9, records, d.log);
    for (const auto& request : backend.written)
        d.requests.emplace_back(request.begin(), request.begin() + 6);
    return d;
}

TEST(SdDownload, FileWithoutRecordsTakesSixChunksThenTheClosingRequest)
{
    const Downloaded d = Download(Header(), 0);
    EXPECT_EQ(d.result.end, SdDownloadEnd::Completed);
    EXPECT_EQ(d.result.chunks, 6);
    const Bytes first = {0, 67, 3, 9, 1, 0};
    const Bytes next = {0, 67, 3, 9, 2, 0};
    EXPECT_EQ(d.requests, (std::vector<Bytes>{first, next, next, next, next, next, next}));
    EXPECT_EQ(d.log.captions, (std::vector<std::string>{"Download ... 17.25 %", "Download ... 34.50 %",
                                                        "Download ... 51.75 %", "Download ... 69.01 %",
                                                        "Download ... 86.26 %", "Download 100 %"}));
    EXPECT_EQ(d.log.eventRuns, 6);
}

TEST(SdDownload, OnlyLinesFourFiveAndRecordsReachTheSink)
{
    const Downloaded d = Download(Header() + RecordLine() + RecordLine(), 2);
    EXPECT_EQ(d.result.end, SdDownloadEnd::Completed);
    const std::vector<std::string> expected = {"start:     4444444444   44444444", "interval: 5555555555", "row 1",
                                               "row 2"};
    EXPECT_EQ(d.log.lines, expected);
    const RecordRow row = {"2",         "11111111",      "222222222", "333333333", "44444444",
                           "555555555", "6666666666666", "777777777", "8888888888"};
    EXPECT_EQ(d.log.rows.at(1), row);
}

TEST(SdDownload, ShortRecordLinesGiveShortOrEmptyFields)
{
    struct Case {
        const char* line;
        RecordRow row;
    };
    const Case cases[] = {
        {"", {"1", "", "", "", "", "", "", "", ""}},
        {"x12:00", {"1", "12:00", "", "", "", "", "", "", ""}},
        {"x10:00:01 12.50\r", {"1", "10:00:01", "12.50\r", "", "", "", "", "", ""}},
        {"x10:00:01 12.500000 0400.0000 -2.00000024.5",
         {"1", "10:00:01", "12.500000", "0400.0000", "-2.00000", "024.5", "", "", ""}},
    };
    for (const Case& c : cases) {
        const Downloaded d = Download(Header() + c.line + "\n", 1);
        ASSERT_EQ(d.log.rows.size(), 1u) << c.line;
        EXPECT_EQ(d.log.rows[0], c.row) << c.line;
    }
}

TEST(SdDownload, MeterFallingSilentEndsTheDownloadKeepingItsRows)
{
    std::string text = Header();
    for (int i = 0; i < 10; ++i)
        text += RecordLine();
    const Downloaded d = Download(text, 10, 8);
    EXPECT_EQ(d.result.end, SdDownloadEnd::NoReply);
    EXPECT_EQ(d.result.chunks, 8);
    EXPECT_EQ(d.log.rows.size(), 1u);  // 480 bytes: the header and one record line of 82
    EXPECT_EQ(d.log.captions.back(), "Download ... 40.62 %");
}

} // namespace
} // namespace voltaryn
