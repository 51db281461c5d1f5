// record: the panel's recording, without the panel. The recorder is the program's own, so the
// file is the window's, byte for byte.
#include "cli/Commands.h"
#include "cli/ProgressLine.h"
#include "cli/StopSignal.h"
#include "recording/Recorder.h"
#include "recording/RunSchedule.h"

#include <iostream>

namespace voltaryn::cli {
namespace {

// One recording, driven as the panel's timers drive it.
class RecordingRun {
public:
    RecordingRun(MeterAccess& meter, Recorder& recorder) : meter_(meter), recorder_(recorder) {}

    // A poll tick; a meter that stops answering ends the file before the run fails.
    void Poll()
    {
        try {
            meter_.PollTick();
        } catch (const CliError&) {
            End(std::nullopt);
            throw;
        }
    }

    // The recorder's second; false when the recorder ended the file by itself.
    bool Second()
    {
        RecorderTickResult tick = recorder_.Tick();
        if (tick.writeFailed && !warnedOfWrite_) {
            std::cerr << "voltaryn-cli: " << recorder_.LastError()
                      << "; the records wait and are written as soon as the file takes them\n";
            warnedOfWrite_ = true;
        }
        if (tick.sampled)
            ShowProgress();
        if (!tick.recordingEnd)
            return true;
        End(std::move(tick.recordingEnd));
        return false;
    }

    // Stops the recording, unless the recorder did (`end`), and tells how it ended when that is
    // news: always on a terminal, otherwise when the recorder ended it or records were lost.
    void End(std::optional<RecorderEnd> end)
    {
        if (!end)
            end = recorder_.StopRecording();
        if (!end)
            return;
        progress_.Finish();
        const std::string notice = RecorderEndNotice(*end);
        if (end->unwrittenRecords > 0 || !end->error.empty())
            throw CliError(ExitCode::FileFailed, notice);
        if (progress_.Shown() || end->cause != RecorderEnd::Cause::Stopped)
            std::cerr << notice << '\n';
    }

private:
    void ShowProgress()
    {
        const std::string& count = recorder_.Labels().count;
        progress_.Show("Recording " + recorder_.RecFileName().filename().string() + ": " + count
                       + (count == "1" ? " record" : " records") + ", the last at " + recorder_.RecTime());
    }

    MeterAccess& meter_;
    Recorder& recorder_;
    ProgressLine progress_;
    bool warnedOfWrite_ = false;
};

} // namespace

void RunRecord(CommandContext& context, const RecordOptions& options)
{
    CatchStopSignals();
    MeterAccess& meter = context.meter;
    Recorder recorder(meter.Reading(), context.clock.LocalNow().SecondOfDay());
    meter.Connect();
    recorder.SetSampleTime(options.interval);
    if (!recorder.StartRecording(options.file))
        throw CliError(ExitCode::FileFailed, recorder.LastError());

    RecordingRun run(meter, recorder);
    const auto elapsed = [&context] {
        return std::chrono::duration_cast<RunSchedule::Duration>(context.clock.Elapsed());
    };
    RunSchedule schedule(elapsed());
    while (options.maxRecords == 0 || recorder.RecCount() < options.maxRecords) {
        context.clock.WaitUntil(schedule.NextDue());
        if (StopRequested())
            break;
        for (const RunTask task : schedule.Due(elapsed())) {
            if (task == RunTask::Poll)
                run.Poll();
            else if (task == RunTask::RecorderSecond && !run.Second())
                return;
        }
    }
    run.End(std::nullopt);
}

} // namespace voltaryn::cli
