#include "recording/RunSchedule.h"

#include <gtest/gtest.h>

#include <string>

namespace voltaryn {
namespace {

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
