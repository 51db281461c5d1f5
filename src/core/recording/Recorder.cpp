#include "recording/Recorder.h"

#include <algorithm>
#include <utility>

namespace voltaryn {
namespace {

constexpr int SecondsPerDay = 86400;

// A capacity as recorded: its displayed digits, marked "(m)" when the meter shows it in mAh.
std::string CapacityField(const std::string& text, bool milli)
{
    return milli ? text + "(m)" : text;
}

std::string TwoDigits(int value)
{
    return {static_cast<char>('0' + value / 10), static_cast<char>('0' + value % 10)};
}

RecordRow Numbered(int number, const RecordRow& sample)
{
    RecordRow row{std::to_string(number)};
    row.insert(row.end(), sample.begin(), sample.end());
    return row;
}

} // namespace

// A leap second's 23:59:60 counts as midnight.
Recorder::Recorder(const MeterReading& reading, int startSecondOfDay)
    : reading_(reading), recSecondOfDay_(startSecondOfDay % SecondsPerDay)
{
}

Recorder::~Recorder()
{
    StopRecording();
}

RecorderTickResult Recorder::Tick()
{
    RecorderTickResult result;
    if (sampleTick_ != 0 && sampleTick_ < sampleTime_) {
        ++sampleTick_;
        WriteWaitingOnTick(result);
        return result;
    }
    result.sampled = true;
    recSecondOfDay_ = (recSecondOfDay_ + sampleTime_) % SecondsPerDay;
    const RecordRow sample = SampleFields();
    if (Recording()) {
        RecordSample(sample, result);
    } else {
        labels_.fileName.clear();
        labels_.count.clear();
        labels_.rec.clear();
        recCount_ = 0;
    }
    if (listRecording_)
        FeedList(sample, result);
    sampleTick_ = 1;
    return result;
}

RecordRow Recorder::SampleFields() const
{
    return {RecTime(),
            reading_.VoltageText,
            reading_.ResistanceText,
            reading_.CurrentText,
            reading_.TemperatureText,
            CapacityField(reading_.CapacityText[0], reading_.CapMilli[0]),
            CapacityField(reading_.CapacityText[1], reading_.CapMilli[1]),
            CapacityField(reading_.CapacityText[2], reading_.CapMilli[2])};
}

void Recorder::RecordSample(const RecordRow& sample, RecorderTickResult& result)
{
    // Checked before counting: a file holds at most MaxRecords records, all of one range and unit.
    if (std::optional<RecorderEnd> end = EndOf(recCount_, recRange_, recTempUnit_)) {
        result.recordingEnd = EndRecording(std::move(*end));
        result.recordingStopped = true;
        labels_.rec.clear();
        result.writeFailed = !result.recordingEnd->error.empty();
        return;
    }
    ++recCount_;
    unwritten_.push_back(Numbered(recCount_, sample));
    WriteWaitingOnTick(result);
    labels_.rec = "Rec";
}

void Recorder::FeedList(const RecordRow& sample, RecorderTickResult& result)
{
    ++listCount_;
    result.listRow = Numbered(listCount_, sample);
    // Checked after the row was added: the list shows the sample that saw the change, then ends.
    if (std::optional<RecorderEnd> end = EndOf(listCount_, listRange_, listTempUnit_)) {
        end->what = RecorderEnd::What::LiveList;
        end->records = listCount_;
        result.listEnd = std::move(end);
        StopList();
        result.listClosed = true;
    }
}

std::optional<RecorderEnd> Recorder::EndOf(int count, const std::string& range, const std::string& unit) const
{
    using Cause = RecorderEnd::Cause;
    if (count == MaxRecords)
        return RecorderEnd{.cause = Cause::RecordLimit, .time = RecTime()};
    if (reading_.RangeText != range)
        return RecorderEnd{
            .cause = Cause::RangeChanged, .time = RecTime(), .before = range, .after = reading_.RangeText};
    if (reading_.TempUnitText != unit)
        return RecorderEnd{
            .cause = Cause::TempUnitChanged, .time = RecTime(), .before = unit, .after = reading_.TempUnitText};
    return std::nullopt;
}

bool Recorder::WriteWaitingRecords()
{
    while (!unwritten_.empty()) {
        const FileStatus status = file_.AppendRecord(unwritten_.front());
        if (!status.Ok()) {
            lastError_ = status.error;
            return false;
        }
        unwritten_.pop_front();
    }
    return true;
}

void Recorder::WriteWaitingOnTick(RecorderTickResult& result)
{
    const std::size_t waiting = unwritten_.size();
    if (waiting == 0)
        return;
    result.writeFailed = !WriteWaitingRecords();
    result.recordWritten = unwritten_.size() < waiting;
    labels_.count = std::to_string(RecordsInFile());
}

int Recorder::RecordsInFile() const { return recCount_ - static_cast<int>(unwritten_.size()); }

RecorderEnd Recorder::EndRecording(RecorderEnd end)
{
    WriteWaitingRecords();
    end.records = RecordsInFile();
    end.fileName = recFileName_.filename().string();
    end.unwrittenRecords = static_cast<int>(unwritten_.size());
    if (!unwritten_.empty())
        end.error = lastError_;
    const FileStatus closed = file_.Close();
    if (!closed.Ok() && end.error.empty()) {
        lastError_ = closed.error;
        end.error = closed.error;
    }
    lostRecords_ = end.unwrittenRecords;
    unwritten_.clear();
    recCount_ = 0;
    labels_.count.clear();
    return end;
}

bool Recorder::StartRecording(const std::filesystem::path& file)
{
    if (Recording())
        StopRecording();
    lostRecords_ = 0;
    lastError_.clear();
    const FileStatus status = file_.Create(file, reading_.RangeText, reading_.TempUnitText);
    if (!status.Ok()) {
        lastError_ = status.error;
        return false;
    }
    recFileName_ = file;
    recRange_ = reading_.RangeText;
    recTempUnit_ = reading_.TempUnitText;
    labels_.fileName = file.filename().string();
    labels_.recVisible = true;
    return true;
}

std::optional<RecorderEnd> Recorder::StopRecording()
{
    labels_.recVisible = false;
    labels_.fileName.clear();
    if (!Recording())
        return std::nullopt;
    return EndRecording(RecorderEnd{.time = RecTime()});
}

void Recorder::StartList(bool keepTempUnit)
{
    listRange_ = reading_.RangeText;
    if (!keepTempUnit)
        listTempUnit_ = reading_.TempUnitText;
    listRecording_ = true;
}

void Recorder::StopList()
{
    listRecording_ = false;
    listCount_ = 0;
}

void Recorder::SetSampleTime(int seconds)
{
    sampleTime_ = std::clamp(seconds, 1, SecondsPerDay);
    sampleTick_ = 0;
}

int Recorder::SampleTime() const { return sampleTime_; }

std::string Recorder::RecTime() const
{
    return TwoDigits(recSecondOfDay_ / 3600) + ':' + TwoDigits(recSecondOfDay_ / 60 % 60) + ':'
           + TwoDigits(recSecondOfDay_ % 60);
}

bool Recorder::Recording() const { return file_.IsOpen(); }
int Recorder::RecCount() const { return recCount_; }
const std::filesystem::path& Recorder::RecFileName() const { return recFileName_; }
bool Recorder::ListRecording() const { return listRecording_; }
int Recorder::ListCount() const { return listCount_; }
const RecorderLabels& Recorder::Labels() const { return labels_; }
bool Recorder::WriteFailed() const { return !unwritten_.empty(); }
const std::string& Recorder::LastError() const { return lastError_; }
int Recorder::UnwrittenRecords() const { return lostRecords_ + static_cast<int>(unwritten_.size()); }

} // namespace voltaryn
