#pragma once

#include "files/RecordTable.h"
#include "meter/MeterReading.h"
#include "recording/RecordingFile.h"

#include <filesystem>
#include <optional>
#include <string>

namespace voltaryn {

// What the recorder's panel labels show: the recording file's name, the record counter and the
// recording mark.
struct RecorderLabels {
    std::string fileName;    // LblFileName
    std::string count;       // LblCount
    std::string rec;         // LblRec
    bool recVisible = false;  // LblRec is shown while a file is recorded
};

// What one tick did, for the windows to follow.
struct RecorderTickResult {
    bool sampled = false;           // a sample was taken on this tick
    bool recordWritten = false;     // a record line reached the file
    bool recordingStopped = false;  // the recorder itself ended the file (record limit, range or unit change)
    bool writeFailed = false;       // a record could not be written; earlier records stay in the file
    std::optional<RecordRow> listRow;  // the row for the live list (number, then the eight sample fields)
    bool listClosed = false;        // the live list ended after this row
};

// Turns the displayed reading into timed samples, once a second, for the recording file and the
// live list. Never talks to the meter and never shows a message: it reads the reading the panel
// shows, and reports what it did.
class Recorder {
public:
    static constexpr int MaxRecords = 36001;
    static constexpr int DefaultSampleTime = 2;

    // startSecondOfDay: the PC clock's time of day when the program started; record time stamps
    // count on from it by the sampling interval, never re-reading the clock.
    Recorder(const MeterReading& reading, int startSecondOfDay);

    // One tick of the one-second timer.
    RecorderTickResult Tick();

    // Starts recording into a new file (an existing one is replaced), taking the current range
    // and temperature unit as the file's; a file still being recorded is ended first. Returns
    // false, with the reason in LastError(), when the file cannot be created.
    bool StartRecording(const std::filesystem::path& file);
    // Stops recording at the user's request and closes the file.
    void StopRecording();

    // Starts (or goes on) feeding the live list; windowShown tells whether its window was
    // already open, in which case the temperature unit it started with is kept.
    void StartList(bool windowShown);
    // The live list's window was closed by the user.
    void StopList();

    // A new PC sampling interval, kept within 1..86400 seconds; the next tick samples at once.
    void SetSampleTime(int seconds);

    int SampleTime() const;
    int SampleTick() const;
    std::string RecTime() const;  // "hh:nn:ss"
    bool Recording() const;
    int RecCount() const;
    const std::filesystem::path& RecFileName() const;
    bool ListRecording() const;
    int ListCount() const;
    const RecorderLabels& Labels() const;
    // Set when a record could not be written or the file not closed, until recording starts anew.
    bool WriteFailed() const;
    const std::string& LastError() const;

private:
    RecordRow SampleFields() const;
    // Step of a sampling tick for the file: a record, or the end of the file.
    void RecordSample(const RecordRow& sample, RecorderTickResult& result);
    void FeedList(const RecordRow& sample, RecorderTickResult& result);
    // Closes the file; a failed close counts as a failed write.
    bool CloseFile();
    void ReportFailure(const FileStatus& status);

    const MeterReading& reading_;
    int sampleTime_ = DefaultSampleTime;
    int sampleTick_ = 0;
    int recSecondOfDay_;  // RecTime as seconds since midnight
    RecordingFile file_;
    std::filesystem::path recFileName_;
    int recCount_ = 0;
    std::string recRange_;
    std::string recTempUnit_;
    bool listRecording_ = false;
    int listCount_ = 0;
    std::string listRange_;
    std::string listTempUnit_;
    RecorderLabels labels_;
    bool writeFailed_ = false;
    std::string lastError_;
};

} // namespace voltaryn
