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
constexpr std::size_t RecordLineLength = protocol::SdRecordBytes - 1;  // its LF not counted

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

// A byte a recording's text may hold: printable ASCII, CR, LF, or a Windows-1252 letter or sign.
bool IsTextByte(std::uint8_t byte) { return (byte >= ' ' && byte <= '~') || byte == '\r' || byte == '\n' || byte >= 0xA0; }

// "hh:mm:ss", a time of day.
bool IsTimeOfDay(std::string_view text)
{
    if (text.size() != 8 || text[2] != ':' || text[5] != ':')
        return false;
    for (const std::size_t i : {0, 1, 3, 4, 6, 7})
        if (!IsDigit(text[i]))
            return false;
    const auto two = [&text](std::size_t at) { return (text[at] - '0') * 10 + (text[at + 1] - '0'); };
    return two(0) < 24 && two(3) < 60 && two(6) < 60;
}

} // namespace

SdFileAssembler::SdFileAssembler(int records, SdDownloadSink& sink, NonsenseReplies nonsense)
    : sink_(sink), checked_(nonsense == NonsenseReplies::Refused),
      size_(std::int64_t{records} * protocol::SdRecordBytes + protocol::SdHeaderBytes)
{
    line_.reserve(RecordLineLength + 1);
}

void SdFileAssembler::Take(std::span<const std::uint8_t> reply)
{
    for (std::size_t i = SdChunkFirstByte; i < SdChunkFirstByte + SdChunkBytes && problem_.empty(); ++i)
        TakeByte(i < reply.size() ? reply[i] : 0);
    counted_ += CountedPerChunk;
}

void SdFileAssembler::TakeByte(std::uint8_t byte)
{
    if (checked_ && received_ < size_ && !IsTextByte(byte)) {
        char text[80];
        std::snprintf(text, sizeof text, "byte %lld holds code 0x%02X, which is no text",
                      static_cast<long long>(received_) + 1, byte);
        problem_ = text;
        return;
    }
    ++received_;
    if (byte == '\n')
        EndLine();
    else
        line_ += static_cast<char>(byte);
}

std::string SdFileAssembler::ProgressCaption() const
{
    if (Complete())
        return "Download 100 %";
    char text[48];
    std::snprintf(text, sizeof text, "Download ... %.2f %%", static_cast<double>(counted_) / static_cast<double>(size_) * 100);
    return text;
}

std::string SdFileAssembler::LineProblem() const
{
    std::string_view line(line_);
    if (line.ends_with('\r'))
        line.remove_suffix(1);
    const bool shaped = line_.size() == RecordLineLength && IsTimeOfDay(line.substr(1, 8));
    if (shaped)
        return {};
    return "line " + std::to_string(lines_) + " is no record: \"" + Printable(Windows1252ToUtf8(line)) + '"';
}

void SdFileAssembler::EndLine()
{
    ++lines_;
    if (lines_ == StartTimeLine) {
        sink_.StartTime("    " + Chars(line_, {18, 27}) + "   " + Chars(line_, {29, 36}));
    } else if (lines_ == IntervalLine) {
        sink_.Interval(Chars(line_, {15, 24}));
    } else if (lines_ >= FirstRecordLine) {
        if (checked_)
            problem_ = LineProblem();
        if (!problem_.empty())
            return;
        RecordRow row;
        row.reserve(std::size(RecordColumns) + 1);
        row.push_back(std::to_string(lines_ - FirstRecordLine + 1));
        for (const CharRange& column : RecordColumns)
            row.push_back(Chars(line_, column));
        sink_.Row(row);
    }
    line_.clear();
}

} // namespace voltaryn
