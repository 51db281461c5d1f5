#include "sim/SdCard.h"

#include "sim/MeterClock.h"

#include <algorithm>

namespace voltaryn::sim {
namespace {

using namespace protocol;
using Report = protocol::Report;

void PutBigEndian32(Report& reply, std::size_t first, std::uint32_t value)
{
    for (std::size_t i = 0; i < 4; ++i)
        reply[first + i] = static_cast<std::uint8_t>(value >> (8 * (3 - i)));
}

void PutEntry(Report& reply, std::size_t first, const SdFile& file)
{
    reply[first] = static_cast<std::uint8_t>(file.number);
    const MeterClockBytes start = MeterClock{}.At(file.start);
    std::copy(start.begin(), start.end(), reply.begin() + static_cast<std::ptrdiff_t>(first) + 1);
    PutBigEndian32(reply, first + 7, static_cast<std::uint32_t>(file.Size()));
}

} // namespace

std::uint32_t SdCard::FreeKilobytes() const
{
    std::int64_t used = 0;
    for (const auto& [number, file] : files_)
        used += (file.Size() + 1023) / 1024;
    return static_cast<std::uint32_t>(std::max<std::int64_t>(0, cardKilobytes_ - used));
}

void SdCard::AddFile(const SdFile& file) { files_.insert_or_assign(file.number, file); }

void SdCard::DeleteFile(int number)
{
    files_.erase(number);
    reading_.reset();
}

void SdCard::DeleteAll()
{
    files_.clear();
    reading_.reset();
}

std::vector<SdFile> SdCard::Files() const
{
    std::vector<SdFile> files;
    files.reserve(files_.size());
    for (const auto& [number, file] : files_)
        files.push_back(file);
    return files;
}

Report SdCard::SummaryReply() const
{
    Report reply{};
    if (!present_) {
        reply[14] = 1;
        return reply;
    }
    PutBigEndian32(reply, 3, cardKilobytes_);
    PutBigEndian32(reply, 7, FreeKilobytes());
    reply[11] = static_cast<std::uint8_t>(std::min<std::size_t>(files_.size(), 255));
    return reply;
}

Report SdCard::BlockReply(int block) const
{
    Report reply{};
    const auto fault = blockFaults_.find(block);
    if (!present_ || (fault != blockFaults_.end() && fault->second == SdBlockFault::Erased)) {
        std::fill(reply.begin() + 1, reply.end(), 0xFF);
        return reply;
    }
    const std::vector<SdFile> files = Files();
    const auto skipped = static_cast<std::size_t>(std::max(0, block - 1) * SdBlockEntries);
    const std::size_t count = std::min<std::size_t>(files.size() - std::min(skipped, files.size()), SdBlockEntries);
    for (std::size_t e = 0; e < count; ++e)
        PutEntry(reply, SdFirstEntryByte + e * SdEntryBytes, files[skipped + e]);
    reply[4] = static_cast<std::uint8_t>(fault == blockFaults_.end() ? count : SdBlockEntries + 1);
    return reply;
}

Report SdCard::ChunkReply(int fileNumber, bool first)
{
    Report reply{};
    if (first) {
        const auto file = files_.find(fileNumber);
        reading_.reset();
        if (file != files_.end())
            reading_.emplace(Reading{fileNumber, SdRecordingText(file->second)});
    }
    if (!present_ || !reading_ || reading_->number != fileNumber)
        return reply;
    const std::span<std::uint8_t> text(reply.begin() + SdChunkFirstByte, SdChunkBytes);
    reading_->text.Read(reading_->offset, text);
    reading_->offset += static_cast<std::int64_t>(SdChunkBytes);
    return reply;
}

} // namespace voltaryn::sim
