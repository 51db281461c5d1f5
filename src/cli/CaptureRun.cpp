#include "cli/CaptureRun.h"

#include "cli/CellStoreAccess.h"
#include "cli/ScannedIds.h"
#include "cli/StopSignal.h"
#include "cells/NameRule.h"
#include "meter/DisplayUnits.h"
#include "recording/RunSchedule.h"

#include <QSysInfo>

#include <algorithm>
#include <cmath>
#include <iostream>

namespace voltaryn::cli {
namespace {

// How often the end of a run looks whether the store's next try of the server is due.
constexpr std::chrono::milliseconds DrainStep{250};

// "sorted 20 cells in 68 s: 1059 cells an hour"
std::string RateText(const RunWords& words, long long cells, RunSchedule::Duration spent)
{
    const double seconds = std::chrono::duration<double>(spent).count();
    std::string text = std::string(words.verb) + " " + std::to_string(cells) + " " + (cells == 1 ? words.one : words.many) + " in "
                       + std::to_string(std::llround(seconds)) + " s";
    if (cells > 0 && seconds > 0)
        text += ": " + std::to_string(std::llround(static_cast<double>(cells) * 3600 / seconds)) + " " + words.many +
                " an hour";
    return text;
}

// Waits up to `timeout` on the run's clock for the queue to empty, trying the server as its tries
// fall due; captures still left end the run with their exit code.
void Drain(RunClock& clock, store::CellStore& store, RunClock::Duration timeout)
{
    const RunClock::Duration until = clock.Elapsed() + timeout;
    while (store.Status().queued > 0 && clock.Elapsed() < until && !StopRequested()) {
        clock.WaitUntil(std::min(until, clock.Elapsed() + DrainStep));
        TellSent(store.SendQueueIfDue());
    }
    FailIfQueued(store.Status());
}

} // namespace

void FillStationAndOperator(std::string& station, std::string& operatorName)
{
    try {
        if (station.empty())
            station = cells::CheckedName(cells::NameKind::Station, QSysInfo::machineHostName().toStdString());
        if (operatorName.empty())
            operatorName = cells::CheckedName(cells::NameKind::Operator, qEnvironmentVariable("USER").toStdString());
    } catch (const cells::NameRefused& refused) {
        throw CliError(ExitCode::Usage, std::string(refused.what()) + " (give --station and --operator)");
    }
}

void RunCaptures(CommandContext& context, store::CellStore& store, bool ids, long long count, int drainTimeout,
                 const RunWords& words, const TakeCapture& take, const std::function<bool()>& finished)
{
    CatchStopSignals();
    MeterAccess& meter = context.meter;
    meter.Connect();

    // The display is read on the panel's poll; every decoded display goes to the capture engine.
    const auto elapsed = [&context] {
        return std::chrono::duration_cast<RunSchedule::Duration>(context.clock.Elapsed());
    };
    RunSchedule schedule(elapsed());
    schedule.Pause(RunTask::RecorderSecond);
    cells::CaptureEngine engine;
    ScannedIds scanned(std::cerr);
    long long captured = 0;
    const RunSchedule::Duration start = elapsed();
    const auto more = [&] { return (count == 0 || captured < count) && !(finished && finished()); };
    while (more() && !StopRequested()) {
        context.clock.WaitUntil(schedule.NextDue());
        if (StopRequested())
            break;
        const RunSchedule::Duration now = elapsed();
        for (const RunTask task : schedule.Due(now)) {
            if (task != RunTask::Poll || !meter.PollTick().displayDecoded)
                continue;
            if (ids)
                scanned.Read();  // a refused scan is told at once, before its cell is placed
            const std::vector<std::string_view> lit = WordsShown(meter.Session().pollLoop.Display().lit);
            const cells::CaptureStep step = engine.Feed(now, cells::ReadProbes(meter.Reading(), lit));
            if (step.Problem == cells::CaptureProblem::UnstableContact)
                std::cerr << "voltaryn-cli: unstable contact, nothing captured: " << words.again << '\n';
            if (step.Problem == cells::CaptureProblem::LiftedEarly)
                std::cerr << "voltaryn-cli: lifted too early, nothing captured: " << words.again << '\n';
            if (step.Capture && take(*step.Capture, scanned.Take()))
                ++captured;
        }
        TellSent(store.SendQueueIfDue());
    }
    std::cerr << RateText(words, captured, elapsed() - start) << '\n';
    Drain(context.clock, store, std::chrono::seconds(drainTimeout));
}

QDateTime NowUtc(const RunClock& clock)
{
    return QDateTime::fromMSecsSinceEpoch(
               std::chrono::duration_cast<std::chrono::milliseconds>(clock.Now().time_since_epoch()).count())
        .toUTC();
}

std::string StoreTrouble(const store::CellStore& store)
{
    const store::StoreStatus status = store.Status();
    return status.AllSent() ? std::string() : "  " + status.Text().toStdString();
}

} // namespace voltaryn::cli
