#include "recording/Recorder.h"

#include "../files/TempFile.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <csignal>
#include <sys/resource.h>

namespace voltaryn {
namespace {

using testing::HasSubstr;

const std::string Header = "No.s\tTime\tV\t40 mOhm\tAmp\tCelsius\tIn-Cap \tOut-Cap \tT-Cap \r\n";

MeterReading ShownReading()
{
    MeterReading reading;
    reading.RangeText = "40 mOhm";
    reading.TempUnitText = "Celsius";
    reading.VoltageText = "12.63";
    reading.ResistanceText = "18.52";
    reading.CurrentText = "1.250";
    reading.TemperatureText = "24.5";
    reading.CapacityText = {"123.4", "1.234", "56.78"};
    reading.CapMilli = {true, false, true};
    return reading;
}

// "x" for each tick that sampled, "." for each that only counted.
std::string SamplePattern(Recorder& recorder, int ticks)
{
    std::string pattern;
    for (int i = 0; i < ticks; ++i)
        pattern += recorder.Tick().sampled ? 'x' : '.';
    return pattern;
}

// The record line of ShownReading() taken at `time`.
std::string RecordLine(int number, const std::string& time)
{
    return std::to_string(number) + '\t' + time + "\t12.63\t18.52\t1.250\t24.5\t123.4(m)\t1.234\t56.78(m)\r\n";
}

// File name, count, mark and whether the mark is shown, as one text.
std::string LabelsText(const Recorder& recorder)
{
    const RecorderLabels& labels = recorder.Labels();
    return labels.fileName + '|' + labels.count + '|' + labels.rec + (labels.recVisible ? "|shown" : "|hidden");
}

class RecorderTest : public testing::Test {
protected:
    MeterReading reading = ShownReading();
    Recorder recorder{reading, 10 * 3600};
    TempFile file{"recording.txt"};
    const std::string name = file.Path().filename().string();
};

TEST_F(RecorderTest, SamplesOnEverySampleTimeTickAndRightAfterAnIntervalChange)
{
    EXPECT_EQ(SamplePattern(recorder, 7), "x.x.x.x");  // the default interval of 2 s
    const std::vector<std::tuple<int, int, const char*>> cases = {
        // new interval, ticks, samples
        {1, 3, "xxx"},
        {3, 8, "x..x..x."},
        {3, 4, "x..x"},  // set again in the middle of an interval
    };
    for (const auto& [interval, ticks, pattern] : cases) {
        recorder.SetSampleTime(interval);
        EXPECT_EQ(SamplePattern(recorder, ticks), pattern) << interval;
    }
}

TEST_F(RecorderTest, TimeStampsAdvanceByTheIntervalAndWrapPastMidnight)
{
    const std::vector<std::tuple<int, int, std::vector<std::string>>> cases = {
        // start (second of day), interval, stamps of three samples
        {10 * 3600, 2, {"10:00:02", "10:00:04", "10:00:06"}},
        {86399, 2, {"00:00:01", "00:00:03", "00:00:05"}},
        {45296, 86400, {"12:34:56", "12:34:56", "12:34:56"}},
        {86400, 1, {"00:00:01", "00:00:02", "00:00:03"}},  // started in a leap second
    };
    for (const auto& [start, interval, stamps] : cases) {
        Recorder timed(reading, start);
        timed.SetSampleTime(interval);
        timed.StartList(false);
        std::vector<std::string> seen;
        while (seen.size() < 3) {
            if (const auto row = timed.Tick().listRow)
                seen.push_back(row->at(1));
        }
        EXPECT_EQ(seen, stamps) << start;
        EXPECT_EQ(timed.RecTime(), stamps.back()) << start;
    }
}

TEST_F(RecorderTest, WritesTheHeaderAndARecordPerSampleAndNumbersTheListApart)
{
    std::ofstream(file.Path()) << std::string(1000, 'x');  // replaced by the recording
    ASSERT_TRUE(recorder.StartRecording(file.Path())) << recorder.LastError();
    EXPECT_EQ(LabelsText(recorder), name + "|||shown");
    recorder.SetSampleTime(1);
    recorder.Tick();

    reading.TemperatureText = "-OL";
    reading.CapMilli = {false, false, false};
    recorder.StartList(false);
    EXPECT_EQ(recorder.Tick().listRow,
              (RecordRow{"1", "10:00:02", "12.63", "18.52", "1.250", "-OL", "123.4", "1.234", "56.78"}));
    EXPECT_EQ(LabelsText(recorder), name + "|2|Rec|shown");

    recorder.StopRecording();
    EXPECT_EQ(LabelsText(recorder), "||Rec|hidden");
    EXPECT_EQ(recorder.RecCount(), 0);
    EXPECT_EQ(file.Bytes(), Header + RecordLine(1, "10:00:01")
                                + "2\t10:00:02\t12.63\t18.52\t1.250\t-OL\t123.4\t1.234\t56.78\r\n");
}

TEST_F(RecorderTest, FileAndListEachTakeAtMostTheRecordLimit)
{
    ASSERT_TRUE(recorder.StartRecording(file.Path()));
    recorder.StartList(false);
    recorder.SetSampleTime(1);
    int written = 0;
    int listClosedAt = 0;
    for (int i = 1; i <= Recorder::MaxRecords; ++i) {
        const RecorderTickResult tick = recorder.Tick();
        written += tick.recordWritten ? 1 : 0;
        listClosedAt = tick.listClosed ? i : listClosedAt;
    }
    EXPECT_EQ(written, Recorder::MaxRecords);
    EXPECT_EQ(listClosedAt, Recorder::MaxRecords);
    EXPECT_EQ(recorder.ListCount(), 0);

    const RecorderTickResult last = recorder.Tick();
    EXPECT_TRUE(last.recordingStopped && !last.recordWritten && !last.listRow);
    const std::string bytes = file.Bytes();
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), Recorder::MaxRecords + 1);
    EXPECT_EQ(bytes.substr(bytes.rfind("\r\n", bytes.size() - 3) + 2, 6), "36001\t");
}

TEST_F(RecorderTest, ARangeOrUnitChangeEndsTheFileBeforeThatSampleAndTheListAfterIt)
{
    const std::vector<std::pair<const char*, void (*)(MeterReading&)>> changes = {
        {"range", [](MeterReading& r) { r.RangeText = "400 mOhm"; }},
        {"unit", [](MeterReading& r) { r.TempUnitText = "Fahrenheih"; }},
        {"no unit", [](MeterReading& r) { r.TempUnitText.clear(); }},
    };
    recorder.SetSampleTime(1);
    for (const auto& [what, change] : changes) {
        reading = ShownReading();
        ASSERT_TRUE(recorder.StartRecording(file.Path()));
        recorder.StartList(false);
        const std::string firstTime = recorder.Tick().listRow->at(1);
        change(reading);
        const RecorderTickResult tick = recorder.Tick();
        EXPECT_TRUE(tick.recordingStopped && tick.listClosed) << what;
        EXPECT_EQ(tick.listRow.value_or(RecordRow{"none"}).front(), "2") << what;
        EXPECT_EQ(file.Bytes(), Header + RecordLine(1, firstTime)) << what;
        EXPECT_EQ(LabelsText(recorder), name + "|||shown") << what;
        recorder.Tick();  // the next sample while idle clears the file's name
        EXPECT_EQ(LabelsText(recorder), "|||shown") << what;
    }
}

TEST_F(RecorderTest, TheListKeepsItsUnitWhileItsWindowStaysShown)
{
    recorder.SetSampleTime(1);
    for (const bool windowShown : {false, true}) {
        reading = ShownReading();
        recorder.StartList(false);
        reading.RangeText = "400 mOhm";
        reading.TempUnitText = "Fahrenheih";
        recorder.StartList(windowShown);  // the range is always taken anew
        EXPECT_EQ(recorder.Tick().listClosed, windowShown);
    }
}

TEST_F(RecorderTest, AWriteThatFailsKeepsTheEarlierRecordsAndTheRecordingGoesOn)
{
    const std::string firstTwo = Header + RecordLine(1, "10:00:01") + RecordLine(2, "10:00:02");
    // In a child process whose file size limit lets the third record reach the disk only halfway.
    const auto recordPastTheLimit = [&] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit fileSize{firstTwo.size() + 10, firstTwo.size() + 10};
        setrlimit(RLIMIT_FSIZE, &fileSize);
        recorder.SetSampleTime(1);
        bool asExpected = recorder.StartRecording(file.Path());
        for (int record = 1; record <= 4; ++record) {
            const RecorderTickResult tick = recorder.Tick();
            asExpected = asExpected && tick.recordWritten == (record <= 2) && tick.writeFailed == (record > 2);
        }
        asExpected = asExpected && LabelsText(recorder) == name + "|4|Rec|shown" && recorder.WriteFailed();
        std::fputs(recorder.LastError().c_str(), stderr);
        std::exit(asExpected ? 0 : 1);
    };
    EXPECT_EXIT(recordPastTheLimit(), testing::ExitedWithCode(0), "File too large");
    EXPECT_EQ(file.Bytes(), firstTwo);
}

} // namespace
} // namespace voltaryn
