#pragma once

#include "files/RecordTable.h"
#include "memory/NonsenseReplies.h"

#include <cstdint>
#include <span>
#include <string>

namespace voltaryn {

// Receives what the download of an SD card file yields, as it arrives.
class SdDownloadSink {
public:
    virtual ~SdDownloadSink() = default;
    // From line 4: four blanks, its characters 18..27, three blanks, its characters 29..36.
    virtual void StartTime(const std::string& text) = 0;
    // From line 5: its characters 15..24.
    virtual void Interval(const std::string& text) = 0;
    // From line 12 on, one record each: its number (the line's number - 11), then the
    // characters 2..9, 11..19, 21..29, 31..38, 39..47, 48..60, 61..69 and 70..79 of the line.
    // A short line gives short or empty texts for the later columns.
    virtual void Row(const RecordRow& row) = 0;
    // "Download ... 17.25 %" after each chunk, "Download 100 %" after the last.
    virtual void Progress(const std::string& caption) = 0;
};

// Puts an SD card file's text together from its chunks and hands its lines' fields to the sink;
// the other lines are skipped. Characters are counted from 1 and read as Windows-1252; a CR
// before a line's LF stays part of the line.
//
// The file of `records` records is taken to be records × 82 + 342 bytes long. Each chunk counts
// 59 bytes towards that, although it carries 60, so the download asks for a little more than
// the file holds.
//
// With NonsenseReplies::Refused the file's bytes are checked as they arrive: up to its size each
// is text (printable ASCII, CR, LF or a Windows-1252 letter) and each record line is 81
// characters, its time hh:mm:ss. The first that fails is the Problem(), and nothing more
// reaches the sink.
class SdFileAssembler {
public:
    SdFileAssembler(int records, SdDownloadSink& sink, NonsenseReplies nonsense = NonsenseReplies::Shown);

    // Takes reply bytes 4..63 of a chunk reply (a shorter reply reads as padded with 0).
    void Take(std::span<const std::uint8_t> reply);
    bool Complete() const { return counted_ >= size_; }
    std::string ProgressCaption() const;
    // Where and how the file went wrong; empty while it makes sense.
    const std::string& Problem() const { return problem_; }

private:
    void TakeByte(std::uint8_t byte);
    void EndLine();
    std::string LineProblem() const;

    SdDownloadSink& sink_;
    bool checked_;
    std::int64_t size_;
    std::int64_t counted_ = 0;
    std::int64_t received_ = 0;
    int lines_ = 0;
    std::string line_;
    std::string problem_;
};

} // namespace voltaryn
