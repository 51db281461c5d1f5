#include "memory/SdCard.h"

#include "../link/ScriptedHidBackend.h"

#include <gtest/gtest.h>

#include <random>

namespace voltaryn {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes SummaryReply(std::initializer_list<std::uint8_t> cardSize, std::initializer_list<std::uint8_t> freeSize,
                   std::uint8_t files, std::uint8_t byte14)
{
    Bytes reply(65, 0);
    std::copy(cardSize.begin(), cardSize.end(), reply.begin() + 3);
    std::copy(freeSize.begin(), freeSize.end(), reply.begin() + 7);
    reply[11] = files;
    reply[14] = byte14;
    return reply;
}

TEST(SdSummaryDecode, SizesMostSignificantFirstAndPresenceFromByte14)
{
    struct Case {
        const char* name;
        Bytes reply;
        SdCardSummary expected;
    };
    const Case cases[] = {
        {"two million kilobytes", SummaryReply({0x00, 0x1E, 0x84, 0x80}, {0x00, 0x00, 0x01, 0x02}, 7, 0),
         {2000000, 258, 7, true}},
        {"odd byte 14: no card, files counted or not", SummaryReply({0, 0, 0, 1}, {0, 0, 0, 0}, 3, 0x03),
         {1, 0, 3, false}},
        {"even byte 14 with other bits", SummaryReply({0xFF, 0xFF, 0xFF, 0xFF}, {0, 0, 0, 0}, 255, 0xFE),
         {0xFFFFFFFF, 0, 255, true}},
        {"short reply reads as zeros", {0, 0, 0, 0, 0, 1}, {256, 0, 0, true}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DecodeSdSummary(c.reply), c.expected) << c.name;
}

struct EntryBytes {
    std::uint8_t number;
    std::array<std::uint8_t, 6> dateTime;
    std::uint32_t size;
};

Bytes BlockReply(std::uint8_t count, std::initializer_list<EntryBytes> entries)
{
    Bytes reply(65, 0);
    reply[4] = count;
    std::size_t at = 5;
    for (const EntryBytes& e : entries) {
        reply[at] = e.number;
        std::copy(e.dateTime.begin(), e.dateTime.end(), reply.begin() + static_cast<std::ptrdiff_t>(at) + 1);
        for (std::size_t i = 0; i < 4; ++i)
            reply[at + 7 + i] = static_cast<std::uint8_t>(e.size >> (24 - 8 * i));
        at += 11;
    }
    return reply;
}

TEST(SdBlockDecode, EntriesWithDateTimeTextAndRecordCount)
{
    const SdBlock block = DecodeSdBlock(BlockReply(
        3, {{0, {24, 3, 15, 9, 5, 0}, 342}, {17, {24, 12, 31, 23, 59, 59}, 424}, {255, {0, 1, 2, 3, 4, 100}, 410342}}));
    const std::vector<SdFileEntry> expected = {
        {0, "24/03/15 09:05:00", 342, 0},
        {17, "24/12/31 23:59:59", 424, 1},
        {255, "00/01/02 03:04:100", 410342, 5000},
    };
    EXPECT_EQ(block.entryCount, 3);
    EXPECT_EQ(block.entries, expected);
    EXPECT_TRUE(block.Readable());
    EXPECT_FALSE(block.erased);
}

// What a decoded block says about itself, for comparing whole cases at once.
struct Shape {
    int count;
    std::size_t entriesRead;
    bool readable;
    bool erased;

    bool operator==(const Shape&) const = default;
};

Shape ShapeOf(const SdBlock& block) { return {block.entryCount, block.entries.size(), block.Readable(), block.erased}; }

TEST(SdBlockDecode, ErasedOverfullAndEmptyBlocks)
{
    Bytes erased(65, 0xFF);
    erased[0] = 0;
    const EntryBytes file{1, {}, 500};
    struct Case {
        const char* name;
        Bytes reply;
        Shape shape;
    };
    const Case cases[] = {
        {"erased", erased, {0, 0, true, true}},
        {"five fill the report", BlockReply(5, {file, file, file, file, file}), {5, 5, true, false}},
        {"a sixth runs past the report", BlockReply(6, {file, file, file, file, file}), {6, 5, false, false}},
        {"count 255", BlockReply(255, {}), {255, 5, false, false}},
        {"no entries", BlockReply(0, {}), {0, 0, true, false}},
        {"empty reply", {}, {0, 0, true, false}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ShapeOf(DecodeSdBlock(c.reply)), c.shape) << c.name;
}

// Decodes `replies` random replies of `length` bytes (every fifth all 0xFF) and returns how many
// blocks broke their bounds: more than five entries read, or readable although counting more.
int BlocksOutOfBounds(std::mt19937& random, std::size_t length, int replies)
{
    std::uniform_int_distribution<int> byte(0, 255);
    int broken = 0;
    for (int round = 0; round < replies; ++round) {
        Bytes reply(length);
        for (std::uint8_t& b : reply)
            b = static_cast<std::uint8_t>(round % 5 == 0 ? 0xFF : byte(random));
        DecodeSdSummary(reply);
        const SdBlock block = DecodeSdBlock(reply);
        if (block.entries.size() > 5 || block.Readable() != (block.entryCount <= 5))
            ++broken;
    }
    return broken;
}

TEST(SdDecode, RandomRepliesOfEveryLengthDecodeWithinTheirBounds)
{
    std::mt19937 random(20240315);
    for (std::size_t length = 0; length <= 70; ++length)
        EXPECT_EQ(BlocksOutOfBounds(random, length, 50), 0) << length;
}

std::vector<Bytes> RequestHeads(const testing::ScriptedHidBackend& backend)
{
    std::vector<Bytes> heads;
    for (const auto& request : backend.written)
        heads.emplace_back(request.begin(), request.begin() + 6);
    return heads;
}

TEST(SdRequests, BytesOfSummaryBlockAndChunkRequests)
{
    testing::ScriptedHidBackend backend;
    backend.AddMeter("meter");
    MeterLink link(backend);
    RequestSdSummary(link);
    RequestSdBlock(link, 3);
    RequestSdChunk(link, 200, true);
    RequestSdChunk(link, 200, false);
    const std::vector<Bytes> expected = {
        {0, 67, 1, 0, 0, 0}, {0, 67, 2, 3, 0, 0}, {0, 67, 3, 200, 1, 0}, {0, 67, 3, 200, 2, 0}};
    EXPECT_EQ(RequestHeads(backend), expected);
}

TEST(SdRequests, AnswersTellAFreshReplyFromThePreviousOne)
{
    testing::ScriptedHidBackend backend;
    backend.AddMeter("meter");
    MeterLink link(backend);
    EXPECT_EQ(RequestSdSummary(link).source, ReplySource::None);
    backend.Reply(BlockReply(1, {{4, {}, 342}}));
    EXPECT_EQ(RequestSdBlock(link, 1).source, ReplySource::Fresh);
    const Answer<SdBlock> again = RequestSdBlock(link, 2);
    EXPECT_EQ(again.source, ReplySource::Previous);
    EXPECT_EQ(again.value->entries.at(0).number, 4);
    backend.Reply({});
    EXPECT_TRUE(RequestSdChunk(link, 1, true));
    EXPECT_FALSE(RequestSdChunk(link, 1, false));
}

} // namespace
} // namespace voltaryn
