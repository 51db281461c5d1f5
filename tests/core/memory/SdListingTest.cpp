#include "memory/SdListing.h"

#include "../link/ScriptedHidBackend.h"

#include <gtest/gtest.h>

namespace voltaryn {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A block reply with `count` in byte 4 and entries numbered from `first` (each 424 bytes: one record).
Bytes Block(int count, int first = 0)
{
    Bytes reply(65, 0);
    reply[4] = static_cast<std::uint8_t>(count);
    for (int e = 0; e < std::min(count, 5); ++e) {
        const std::size_t at = 5 + 11 * static_cast<std::size_t>(e);
        reply[at] = static_cast<std::uint8_t>(first + e);
        reply[at + 9] = 424 / 256;
        reply[at + 10] = 424 % 256;
    }
    return reply;
}

Bytes Erased()
{
    Bytes reply(65, 0xFF);
    reply[0] = 0;
    return reply;
}

struct Recorder : SdListingSink, EventPump {
    std::vector<int> numbers;
    std::vector<std::string> captions;
    int eventRuns = 0;

    void Entry(const SdFileEntry& entry) override { numbers.push_back(entry.number); }
    void Progress(const std::string& caption) override { captions.push_back(caption); }
    void LetEventsRun() override { ++eventRuns; }
};

struct Listed {
    SdListingResult result;
    Recorder seen;
    std::vector<int> blocksAsked;
};

Listed List(const std::vector<Bytes>& replies, int fileCount, SdClosingBlock closing = SdClosingBlock::AfterEntries)
{
    testing::ScriptedHidBackend backend;
    backend.AddMeter("meter");
    for (const Bytes& reply : replies)
        backend.Reply(reply);
    MeterLink link(backend);
    Listed listed;
    listed.result = ListSdFiles(link, listed.seen, fileCount, listed.seen, closing);
    for (const auto& request : backend.written) {
        EXPECT_EQ(Bytes(request.begin(), request.begin() + 3), (Bytes{0, 67, 2}));
        listed.blocksAsked.push_back(request[3]);
    }
    return listed;
}

TEST(SdListing, SevenFilesTakeTwoBlocksAndOneMoreRequest)
{
    const Listed listed = List({Block(5, 0), Block(2, 5), Block(0)}, 7);
    EXPECT_EQ(listed.result.end, SdListingEnd::Completed);
    EXPECT_EQ(listed.seen.numbers, (std::vector<int>{0, 1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(listed.seen.captions, (std::vector<std::string>{"Loading=> 71.43 %", "Loading=> 100.00 %"}));
    EXPECT_EQ(listed.blocksAsked, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(listed.seen.eventRuns, 2);
    EXPECT_EQ(listed.result.entriesListed, 7);
}

TEST(SdListing, EndsOfAListingCutShort)
{
    struct Case {
        const char* name;
        std::vector<Bytes> replies;
        SdClosingBlock closing;
        SdListingEnd end;
        std::vector<int> blocksAsked;
        std::vector<std::string> captions;
    };
    const std::vector<std::string> afterFirst = {"Loading=> 41.67 %"};
    const std::vector<std::string> thenAll = {"Loading=> 41.67 %", "Loading=> 100.00 %"};
    const Case cases[] = {
        {"erased block", {Block(5), Erased()}, SdClosingBlock::AfterEntries, SdListingEnd::EmptyBlock, {1, 2}, thenAll},
        {"erased block, closing request always", {Block(5), Erased()}, SdClosingBlock::Always,
         SdListingEnd::EmptyBlock, {1, 2, 3}, thenAll},
        {"block without entries", {Block(5), Block(0)}, SdClosingBlock::AfterEntries, SdListingEnd::EmptyBlock,
         {1, 2}, thenAll},
        {"count above 5", {Block(5), Block(6)}, SdClosingBlock::Always, SdListingEnd::Unreadable, {1, 2}, afterFirst},
        {"meter stops answering", {Block(5)}, SdClosingBlock::Always, SdListingEnd::NoReply, {1, 2}, afterFirst},
    };
    for (const Case& c : cases) {
        const Listed listed = List(c.replies, 12, c.closing);
        EXPECT_EQ(listed.result.end, c.end) << c.name;
        EXPECT_EQ(listed.blocksAsked, c.blocksAsked) << c.name;
        EXPECT_EQ(listed.seen.captions, c.captions) << c.name;
        EXPECT_EQ(listed.seen.numbers.size(), 5u) << c.name;
    }
}

TEST(SdListing, FileCountZeroAsksOneBlockAndShowsNoProgress)
{
    const Listed listed = List({Block(0)}, 0, SdClosingBlock::Always);
    EXPECT_EQ(listed.result.end, SdListingEnd::EmptyBlock);
    EXPECT_EQ(listed.blocksAsked, (std::vector<int>{1, 2}));
    EXPECT_TRUE(listed.seen.captions.empty());
}

} // namespace
} // namespace voltaryn
