#include "recording/Recorder.h"

#include <algorithm>

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

RecorderTickResult Recorder::Tick()
{
    RecorderTickResult result;
    if (sampleTick_ != 0 && sampleTick_ < sampleTime_) {
        ++sampleTick_;
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
    if (recCount_ == MaxRecords || reading_.RangeText != recRange_ || reading_.TempUnitText != recTempUnit_) {
        labels_.rec.clear();
        labels_.count.clear();
        recCount_ = 0;
        result.writeFailed = !CloseFile();
        result.recordingStopped = true;
        return;
    }
    ++recCount_;
    const FileStatus status = file_.AppendRecord(Numbered(recCount_, sample));
    result.recordWritten = status.Ok();
    result.writeFailed = !status.Ok();
    if (!status.Ok())
        ReportFailure(status);
    labels_.count = std::to_string(recCount_);
    labels_.rec = "Rec";
}

void Recorder::FeedList(const RecordRow& sample, RecorderTickResult& result)
{
    ++listCount_;
    result.listRow = Numbered(listCount_, sample);
    // Checked after the row was added: the list shows the sample that saw the change, then ends.
    if (listCount_ == MaxRecords || reading_.RangeText != listRange_ || reading_.TempUnitText != listTempUnit_) {
        StopList();
        result.listClosed = true;
    }
}

bool Recorder::StartRecording(const std::filesystem::path& file)
{
    if (Recording())
        StopRecording();
    writeFailed_ = false;
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

void Recorder::StopRecording()
{
    labels_.recVisible = false;
    labels_.count.clear();
    labels_.fileName.clear();
    recCount_ = 0;
    CloseFile();
}

bool Recorder::CloseFile()
{
    const FileStatus status = file_.Close();
    if (!status.Ok())
        ReportFailure(status);
    return status.Ok();
}

void Recorder::ReportFailure(const FileStatus& status)
{
    writeFailed_ = true;
    lastError_ = status.error;
}

void Recorder::StartList(bool windowShown)
{
    listRange_ = reading_.RangeText;
    if (!windowShown)
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
int Recorder::SampleTick() const { return sampleTick_; }

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
bool Recorder::WriteFailed() const { return writeFailed_; }
const std::string& Recorder::LastError() const { return lastError_; }

} // namespace voltaryn
