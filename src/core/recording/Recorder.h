#pragma once

#include "files/RecordTable.h"
#include "meter/MeterReading.h"
#include "recording/RecorderEnd.h"
#include "recording/RecordingFile.h"

#include <deque>
#include <filesystem>
#include <optional>
#include <string>

namespace voltaryn {

// What the recorder's panel labels show: the recording file's name, the record counter and the
// recording mark.
struct RecorderLabels {
    std::string fileName;    // LblFileName
    std::string count;       // LblCount: the records in the file
    std::string rec;         // LblRec
    bool recVisible = false;  // LblRec is shown while a file is recorded
};

// What one tick did, for the surfaces that show the recorder to follow.
struct RecorderTickResult {
    bool sampled = false;           // a sample was taken on this tick
    bool recordWritten = false;     // record lines reached the file (waiting ones may come first)
    bool recordingStopped = false;  // the recorder itself ended the file (record limit, range or unit change)
    bool writeFailed = false;       // a record could not be written; it waits for the next tick
    std::optional<RecordRow> listRow;  // the row for the live list (number, then the eight sample fields)
    bool listClosed = false;        // the live list ended after this row
    std::optional<RecorderEnd> recordingEnd;  // set with recordingStopped
    std::optional<RecorderEnd> listEnd;       // set with listClosed
};

// Turns the displayed reading into timed samples, once a second, for the recording file and the
// live list. Never talks to the meter and never shows a message: it reads the reading the panel
// shows, and reports what it did.
//
// A record that cannot be written (a full disk) waits in memory, numbered, and is written on a
// later tick before any newer one, so the file never has a gap. At most MaxRecords wait, as a
// file takes no more. Ending a recording tries once more to write them before closing the file.
class Recorder {
public:
    static constexpr int MaxRecords = 36001;
    static constexpr int DefaultSampleTime = 2;

    // startSecondOfDay: the PC clock's time of day when the program started; record time stamps
    // count on from it by the sampling interval, never re-reading the clock.
    Recorder(const MeterReading& reading, int startSecondOfDay);
    // Stops a running recording, which writes what still can be written.
    ~Recorder();

    // One tick of the one-second timer.
    RecorderTickResult Tick();

    // Starts recording into a new file (an existing one is replaced), taking the current range
    // and temperature unit as the file's; a file still being recorded is ended first. Returns
    // false, with the reason in LastError(), when the file cannot be created.
    bool StartRecording(const std::filesystem::path& file);
    // Stops recording at the user's request and closes the file, after one more try to write the
    // records waiting. Tells how the recording ended; nothing when none was running.
    std::optional<RecorderEnd> StopRecording();

    // Starts (or goes on) feeding the live list; keepTempUnit goes on with the temperature unit the
    // list started with, for a list that was already shown.
    void StartList(bool keepTempUnit);
    // The user closed the live list.
    void StopList();

    // A new PC sampling interval, kept within 1..86400 seconds; the next tick samples at once.
    void SetSampleTime(int seconds);

    int SampleTime() const;
    std::string RecTime() const;  // "hh:nn:ss"
    bool Recording() const;
    int RecCount() const;  // records numbered so far, whether in the file or waiting
    const std::filesystem::path& RecFileName() const;
    bool ListRecording() const;
    int ListCount() const;
    const RecorderLabels& Labels() const;
    // Records wait to be written because a write failed; LastError() tells why.
    bool WriteFailed() const;
    // Why recording could not start or a record could not be written.
    const std::string& LastError() const;
    // Records waiting to be written, or, once a recording has ended, those that never were.
    int UnwrittenRecords() const;

private:
    RecordRow SampleFields() const;
    // Step of a sampling tick for the file: a record, or the end of the file.
    void RecordSample(const RecordRow& sample, RecorderTickResult& result);
    void FeedList(const RecordRow& sample, RecorderTickResult& result);
    // How a file or list that started with `range` and `unit` and holds `count` records ends on
    // this sample; nothing when it goes on.
    std::optional<RecorderEnd> EndOf(int count, const std::string& range, const std::string& unit) const;
    // Writes the waiting records, oldest first, until one fails; true when none is left waiting.
    bool WriteWaitingRecords();
    // WriteWaitingRecords() on a tick, which shows on the counter and in the tick's result.
    void WriteWaitingOnTick(RecorderTickResult& result);
    int RecordsInFile() const;
    // Writes what it can, closes the file and fills in `end` with what the file holds.
    RecorderEnd EndRecording(RecorderEnd end);

    const MeterReading& reading_;
    int sampleTime_ = DefaultSampleTime;
    int sampleTick_ = 0;
    int recSecondOfDay_;  // RecTime as seconds since midnight
    RecordingFile file_;
    std::filesystem::path recFileName_;
    int recCount_ = 0;
    std::deque<RecordRow> unwritten_;  // numbered records waiting, oldest first
    int lostRecords_ = 0;              // records the last recording could never write
    std::string recRange_;
    std::string recTempUnit_;
    bool listRecording_ = false;
    int listCount_ = 0;
    std::string listRange_;
    std::string listTempUnit_;
    RecorderLabels labels_;
    std::string lastError_;
};

} // namespace voltaryn
