#include "memory/SdFileAssembler.h"

#include "protocol/Protocol.h"
#include "text/CharacterCodes.h"

#include <cstdio>

namespace voltaryn {
namespace {

using protocol::SdChunkBytes;
using protocol::SdChunkFirstByte;

constexpr int StartTimeLine = 4;
constexpr int IntervalLine = 5;
constexpr int FirstRecordLine = 12;
constexpr int CountedPerChunk = 59;

// Characters first..last of a line, counted from 1; as many of them as the line has.
struct CharRange {
    std::size_t first;
    std::size_t last;
};

constexpr CharRange RecordColumns[] = {{2, 9}, {11, 19}, {21, 29}, {31, 38}, {39, 47}, {48, 60}, {61, 69}, {70, 79}};

std::string Chars(const std::string& line, CharRange range)
{
    if (range.first > line.size())
        return {};
    return Windows1252ToUtf8(std::string_view(line).substr(range.first - 1, range.last - range.first + 1));
}

} // namespace

SdFileAssembler::SdFileAssembler(int records, SdDownloadSink& sink)
    : sink_(sink), size_(std::int64_t{records} * protocol::SdRecordBytes + protocol::SdHeaderBytes)
{
}

void SdFileAssembler::Take(std::span<const std::uint8_t> reply)
{
    for (std::size_t i = SdChunkFirstByte; i < SdChunkFirstByte + SdChunkBytes; ++i) {
        const std::uint8_t byte = i < reply.size() ? reply[i] : 0;
        if (byte == '\n')
            EndLine();
        else
            line_ += static_cast<char>(byte);
    }
    counted_ += CountedPerChunk;
}

std::string SdFileAssembler::ProgressCaption() const
{
    if (Complete())
        return "Download 100 %";
    char text[48];
    std::snprintf(text, sizeof text, "Download ... %.2f %%", static_cast<double>(counted_) / static_cast<double>(size_) * 100);
    return text;
}

void SdFileAssembler::EndLine()
{
    ++lines_;
    if (lines_ == StartTimeLine) {
        sink_.StartTime("    " + Chars(line_, {18, 27}) + "   " + Chars(line_, {29, 36}));
    } else if (lines_ == IntervalLine) {
        sink_.Interval(Chars(line_, {15, 24}));
    } else if (lines_ >= FirstRecordLine) {
        RecordRow row{std::to_string(lines_ - FirstRecordLine + 1)};
        for (const CharRange& column : RecordColumns)
            row.push_back(Chars(line_, column));
        sink_.Row(row);
    }
    line_.clear();
}

} // namespace voltaryn
