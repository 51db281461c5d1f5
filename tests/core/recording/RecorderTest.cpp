// The recorder of the live readings, and the schedule of the tasks the program runs.
#include "recording/Recorder.h"
#include "recording/RunSchedule.h"

#include "common/FileSizeLimit.h"
#include "common/TempFolder.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <functional>
#include <optional>

namespace voltaryn {
namespace {

using testing::FileBytes;
using testing::FileSizeLimit;

const std::string Header = "No.s\tTime\tV\t40 mOhm\tAmp\tCelsius\tIn-Cap \tOut-Cap \tT-Cap \r\n";

// What the meter shows in these tests unless a test changes it.
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

// For each tick: "f" when a record failed to reach the file, "w" when records reached it, "x" when
// it sampled without writing, "." when it only counted.
std::string TickPattern(Recorder& recorder, int ticks)
{
    std::string pattern;
    for (int i = 0; i < ticks; ++i) {
        const RecorderTickResult tick = recorder.Tick();
        pattern += tick.writeFailed ? 'f' : tick.recordWritten ? 'w' : tick.sampled ? 'x' : '.';
    }
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

class RecorderTest : public ::testing::Test {
protected:
    MeterReading reading = ShownReading();
    Recorder recorder{reading, 10 * 3600};
    const testing::TempFolder folder;
    const std::filesystem::path file = folder / "recording.txt";
    const std::string name = "recording.txt";
};

TEST_F(RecorderTest, SamplesOnEverySampleTimeTickAndRightAfterAnIntervalChange)
{
    EXPECT_EQ(TickPattern(recorder, 7), "x.x.x.x");  // the default interval of 2 s
    // New interval, ticks, samples; the last is set again in the middle of an interval.
    const std::tuple<int, int, const char*> cases[] = {{1, 3, "xxx"}, {3, 8, "x..x..x."}, {3, 4, "x..x"}};
    for (const auto& [interval, ticks, pattern] : cases) {
        recorder.SetSampleTime(interval);
        EXPECT_EQ(TickPattern(recorder, ticks), pattern) << interval;
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
    std::ofstream(file) << std::string(1000, 'x');  // replaced by the recording
    ASSERT_TRUE(recorder.StartRecording(file)) << recorder.LastError();
    recorder.SetSampleTime(1);
    recorder.Tick();

    reading.TemperatureText = "-OL";
    reading.CapMilli = {false, false, false};
    recorder.StartList(false);
    EXPECT_EQ(recorder.Tick().listRow,
              (RecordRow{"1", "10:00:02", "12.63", "18.52", "1.250", "-OL", "123.4", "1.234", "56.78"}));
    EXPECT_EQ(LabelsText(recorder), name + "|2|Rec|shown");
    reading.CurrentText = std::string("1\r\n\0", 4);  // a garbled reply, shown as it came
    recorder.Tick();

    EXPECT_EQ(RecorderEndNotice(recorder.StopRecording().value()),
              "Recording stopped at 10:00:03. 3 records in " + name + '.');
    EXPECT_EQ(std::pair(LabelsText(recorder), recorder.RecCount()), std::pair(std::string("||Rec|hidden"), 0));
    EXPECT_EQ(FileBytes(file), Header + RecordLine(1, "10:00:01")
                                + "2\t10:00:02\t12.63\t18.52\t1.250\t-OL\t123.4\t1.234\t56.78\r\n"
                                + "3\t10:00:03\t12.63\t18.52\t1???\t-OL\t123.4\t1.234\t56.78\r\n");
}

TEST_F(RecorderTest, FileAndListEachTakeAtMostTheRecordLimit)
{
    ASSERT_TRUE(recorder.StartRecording(file));
    recorder.StartList(false);
    recorder.SetSampleTime(1);
    int written = 0;
    int listClosedAt = 0;
    std::optional<RecorderEnd> listEnd;
    for (int i = 1; i <= Recorder::MaxRecords; ++i) {
        RecorderTickResult tick = recorder.Tick();
        written += tick.recordWritten ? 1 : 0;
        listClosedAt = tick.listClosed ? i : listClosedAt;
        listEnd = tick.listEnd ? tick.listEnd : listEnd;
    }
    EXPECT_EQ(std::tuple(written, listClosedAt, recorder.ListCount()), std::tuple(Recorder::MaxRecords, Recorder::MaxRecords, 0));
    EXPECT_EQ(RecorderEndNotice(listEnd.value()),
              "Live list ended at 20:00:01: the limit of 36001 records was reached. 36001 rows in the live list.");

    const RecorderTickResult last = recorder.Tick();
    EXPECT_TRUE(last.recordingStopped && !last.recordWritten && !last.listRow);
    EXPECT_EQ(RecorderEndNotice(last.recordingEnd.value()),
              "Recording ended at 20:00:02: the limit of 36001 records was reached. 36001 records in " + name + '.');
    const std::string bytes = FileBytes(file);
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), Recorder::MaxRecords + 1);
    EXPECT_EQ(bytes.substr(bytes.rfind("\r\n", bytes.size() - 3) + 2, 6), "36001\t");
}

TEST_F(RecorderTest, ARangeOrUnitChangeEndsTheFileBeforeThatSampleAndTheListAfterIt)
{
    const std::vector<std::tuple<const char*, void (*)(MeterReading&), std::string>> changes = {
        // what, change, why the notices give
        {"range", [](MeterReading& r) { r.RangeText = "400 mOhm"; }, "the range changed (40 mOhm to 400 mOhm)"},
        {"unit", [](MeterReading& r) { r.TempUnitText = "Fahrenheih"; },
         "the temperature unit changed (Celsius to Fahrenheit)"},
        {"no unit", [](MeterReading& r) { r.TempUnitText.clear(); }, "the temperature unit changed (Celsius to none)"},
    };
    recorder.SetSampleTime(1);
    for (const auto& [what, change, why] : changes) {
        reading = ShownReading();
        ASSERT_TRUE(recorder.StartRecording(file));
        recorder.StartList(false);
        const std::string firstTime = recorder.Tick().listRow->at(1);
        change(reading);
        const RecorderTickResult tick = recorder.Tick();
        EXPECT_TRUE(tick.recordingStopped && tick.listClosed) << what;
        EXPECT_EQ(tick.listRow.value_or(RecordRow{"none"}).front(), "2") << what;
        EXPECT_EQ(FileBytes(file), Header + RecordLine(1, firstTime)) << what;
        const std::string ended = " ended at " + recorder.RecTime() + ": " + why + ". ";
        EXPECT_EQ(RecorderEndNotice(tick.recordingEnd.value()), "Recording" + ended + "1 record in " + name + '.') << what;
        EXPECT_EQ(RecorderEndNotice(tick.listEnd.value()), "Live list" + ended + "2 rows in the live list.") << what;
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

// The disk fills after the first record; two more wait. Each way on then writes what waits if it
// can, in order, and an end tells what it could not.
TEST_F(RecorderTest, RecordsAFullDiskHoldsBackWaitForRoomOrAreToldOfAtTheEnd)
{
    using Ending = std::function<std::optional<RecorderEnd>(std::optional<Recorder>&)>;
    const Ending tick = [](std::optional<Recorder>& r) {
        EXPECT_EQ(TickPattern(*r, 1), "w");  // a tick between samples
        return std::optional<RecorderEnd>();
    };
    const Ending stop = [](std::optional<Recorder>& r) { return r->StopRecording(); };
    const Ending rangeChange = [this](std::optional<Recorder>& r) {
        reading.RangeText = "4 Ohm";
        EXPECT_EQ(TickPattern(*r, 1), "f");
        return r->Tick().recordingEnd;
    };
    const Ending destroy = [](std::optional<Recorder>& r) {
        r.reset();
        return std::optional<RecorderEnd>();
    };
    const std::vector<std::tuple<Ending, bool, std::string>> cases = {
        // how it goes on, room by then, what the end notice says of the file
        {tick, true, ""}, {destroy, true, ""},
        {stop, false, "1 record in " + name + "; 2 more could not be written: File too large."},
        {stop, true, "3 records in " + name + '.'},
        {rangeChange, false, "1 record in " + name + "; 2 more could not be written: File too large."},
    };
    for (const auto& [ending, room, notice] : cases) {
        reading = ShownReading();
        std::optional<Recorder> ended(std::in_place, reading, 10 * 3600);
        ASSERT_TRUE(ended->StartRecording(file));
        EXPECT_EQ(TickPattern(*ended, 2), "w.");  // the default interval of 2 s
        const std::string firstRecord = FileBytes(file);
        std::optional<FileSizeLimit> full(std::in_place, firstRecord.size() + 10);  // a record fits halfway
        EXPECT_EQ(TickPattern(*ended, 3), "fff") << notice;  // the tick between samples tries again
        EXPECT_EQ(std::tuple(ended->WriteFailed(), ended->LastError(), ended->UnwrittenRecords()),
                  std::tuple(true, std::string("File too large"), 2));
        if (room)
            full.reset();
        const std::optional<RecorderEnd> end = ending(ended);
        EXPECT_EQ(end.has_value(), !notice.empty()) << notice;
        EXPECT_THAT(end ? RecorderEndNotice(*end) : "", ::testing::EndsWith(end ? ". " + notice : ""));
        if (ended) {
            EXPECT_EQ(std::pair(ended->UnwrittenRecords(), ended->WriteFailed()), std::pair(room ? 0 : 2, false));
        }
        full.reset();
        EXPECT_EQ(FileBytes(file), room ? firstRecord + RecordLine(2, "10:00:04") + RecordLine(3, "10:00:06")
                                        : firstRecord)
            << notice;
    }
}

TEST_F(RecorderTest, AFileThatCannotBeCreatedIsReportedAndLeftClosed)
{
    std::filesystem::create_directory(file);
    const std::vector<std::pair<std::filesystem::path, const char*>> cases = {
        {file / "missing" / "rec.txt", "No such file or directory"},
        {file, "Is a directory"},
        {"/dev/full", "No space left on device"},  // opens, but the header cannot be written
    };
    for (const auto& [path, reason] : cases) {
        EXPECT_FALSE(recorder.StartRecording(path)) << path;
        EXPECT_THAT(recorder.LastError(), ::testing::AllOf(::testing::HasSubstr(reason), ::testing::HasSubstr(path.string())));
        EXPECT_EQ(std::pair(recorder.Recording(), recorder.Labels().fileName), std::pair(false, std::string()));
    }
}

using std::chrono::milliseconds;

// Runs the schedule as a timer that wakes exactly when told, up to `until`, and spells what ran:
// "P" for a poll, "R" for the recorder's second, "G" for a graph sample, each after its time.
std::string RunUntil(RunSchedule& schedule, milliseconds until)
{
    std::string ran;
    for (milliseconds now = schedule.NextDue(); now <= until; now = schedule.NextDue()) {
        ran += std::to_string(now.count());
        for (const RunTask task : schedule.Due(now))
            ran += task == RunTask::Poll ? "P" : task == RunTask::RecorderSecond ? "R" : "G";
        ran += ' ';
    }
    return ran;
}

TEST(RunScheduleTest, PollsEvery100MsAndOnASharedMomentThePollRunsFirstThenTheRecorderThenTheGraph)
{
    RunSchedule schedule;
    EXPECT_EQ(RunUntil(schedule, milliseconds{1000}), "100P 200P 300P 400P 500P 600P 700P 800P 900P 1000PR ");
    schedule.Resume(RunTask::GraphSample, milliseconds{1000});
    EXPECT_EQ(RunUntil(schedule, milliseconds{2000}),
              "1100P 1200P 1300P 1400P 1500P 1600P 1700P 1800P 1900P 2000PRG ");
}

TEST(RunScheduleTest, APausedPollLeavesTheRecorderRunningAndResumesAPeriodAfterItsResume)
{
    RunSchedule schedule(milliseconds{50});
    schedule.Pause(RunTask::Poll);
    EXPECT_FALSE(schedule.Running(RunTask::Poll));
    EXPECT_EQ(RunUntil(schedule, milliseconds{2100}), "1050R 2050R ");
    schedule.Resume(RunTask::Poll, milliseconds{2100});
    schedule.Resume(RunTask::Poll, milliseconds{2150});  // already running: no change
    EXPECT_EQ(RunUntil(schedule, milliseconds{2300}), "2200P 2300P ");
}

TEST(RunScheduleTest, ALateWakeRunsEachDueTaskOnceAndKeepsItsPhase)
{
    RunSchedule schedule;
    // A blocking exchange held the thread from 100 ms to 2350 ms.
    const std::vector<RunTask> late = schedule.Due(milliseconds{2350});
    EXPECT_EQ(late, (std::vector<RunTask>{RunTask::Poll, RunTask::RecorderSecond}));
    EXPECT_EQ(schedule.NextDue(), milliseconds{2400});
    EXPECT_EQ(RunUntil(schedule, milliseconds{3000}), "2400P 2500P 2600P 2700P 2800P 2900P 3000PR ");

    schedule.Pause(RunTask::Poll);
    schedule.Pause(RunTask::RecorderSecond);
    EXPECT_EQ(schedule.NextDue(), milliseconds::max());
    EXPECT_TRUE(schedule.Due(milliseconds{5000}).empty());
}

} // namespace
} // namespace voltaryn
