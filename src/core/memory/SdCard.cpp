#include "memory/SdCard.h"

#include "protocol/Protocol.h"

#include <algorithm>
#include <cstdio>

namespace voltaryn {
namespace {

using namespace protocol;

// A reply read through its bounds: a byte past its end reads as 0.
class ReplyBytes {
public:
    explicit ReplyBytes(std::span<const std::uint8_t> reply) : reply_(reply) {}

    std::uint8_t operator[](std::size_t i) const { return i < reply_.size() ? reply_[i] : 0; }

    std::uint32_t BigEndian32(std::size_t first) const
    {
        std::uint32_t value = 0;
        for (std::size_t i = first; i < first + 4; ++i)
            value = value << 8 | (*this)[i];
        return value;
    }

private:
    std::span<const std::uint8_t> reply_;
};

std::string DateTimeText(const ReplyBytes& bytes, std::size_t first)
{
    char text[32];
    std::snprintf(text, sizeof text, "%02d/%02d/%02d %02d:%02d:%02d", bytes[first], bytes[first + 1],
                  bytes[first + 2], bytes[first + 3], bytes[first + 4], bytes[first + 5]);
    return text;
}

SdFileEntry DecodeEntry(const ReplyBytes& bytes, std::size_t first)
{
    SdFileEntry entry;
    entry.number = bytes[first];
    entry.dateTime = DateTimeText(bytes, first + 1);
    entry.size = bytes.BigEndian32(first + 7);
    entry.records = static_cast<int>((std::int64_t{entry.size} - SdHeaderBytes) / SdRecordBytes);
    return entry;
}

// All of bytes 1..64 are 0xFF (byte 0, the report id, is 0 as it always is).
bool IsErased(std::span<const std::uint8_t> reply)
{
    const auto report = reply.first(std::min(reply.size(), ReportLength));
    return std::count(report.begin(), report.end(), 0xFF) >= static_cast<std::ptrdiff_t>(ReportLength - 1);
}

template <typename Decode>
auto Ask(MeterLink& link, std::initializer_list<std::uint8_t> request, Decode decode)
{
    link.SetRequest(request);
    const bool fresh = link.SendAndReceive();
    Answer<decltype(decode(link.InputReport()))> answer;
    if (link.HasReply()) {
        answer.value = decode(link.InputReport());
        answer.source = fresh ? ReplySource::Fresh : ReplySource::Previous;
    }
    return answer;
}

} // namespace

SdCardSummary DecodeSdSummary(std::span<const std::uint8_t> reply)
{
    const ReplyBytes bytes(reply);
    return {bytes.BigEndian32(3), bytes.BigEndian32(7), bytes[11], (bytes[14] & 1) == 0};
}

SdBlock DecodeSdBlock(std::span<const std::uint8_t> reply)
{
    SdBlock block;
    if (IsErased(reply)) {
        block.erased = true;
        return block;
    }
    const ReplyBytes bytes(reply);
    block.entryCount = bytes[4];
    for (std::size_t first = SdFirstEntryByte;
         block.entries.size() < static_cast<std::size_t>(block.entryCount) && first + SdEntryBytes <= ReportLength;
         first += SdEntryBytes)
        block.entries.push_back(DecodeEntry(bytes, first));
    return block;
}

Answer<SdCardSummary> RequestSdSummary(MeterLink& link)
{
    return Ask(link, {TransferClass, SdSummaryTransfer, 0, 0, 0}, DecodeSdSummary);
}

Answer<SdBlock> RequestSdBlock(MeterLink& link, int block)
{
    return Ask(link, {TransferClass, SdBlockTransfer, RequestByte(block), 0, 0}, DecodeSdBlock);
}

bool RequestSdChunk(MeterLink& link, int fileNumber, bool first)
{
    link.SetRequest({TransferClass, SdFileTransfer, RequestByte(fileNumber), first ? SdFirstChunk : SdNextChunk, 0});
    return link.SendAndReceive();
}

} // namespace voltaryn
