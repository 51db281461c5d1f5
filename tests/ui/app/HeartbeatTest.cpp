#include "app/Heartbeat.h"

#include <QTimer>

#include <gtest/gtest.h>

#include <string>

namespace voltaryn {
namespace {

using std::chrono::milliseconds;

// The heartbeat on a clock the test moves, spelling what each tick handed on: "P" a poll due, "R"
// the recorder's second, "G" a graph sample.
class HeartbeatTest : public ::testing::Test {
protected:
    HeartbeatTest()
    {
        QObject::connect(&beat, &Heartbeat::pollDue, [this] { ran += 'P'; });
        QObject::connect(&beat, &Heartbeat::recorderSecond, [this] { ran += 'R'; });
        QObject::connect(&beat, &Heartbeat::graphSample, [this] { ran += 'G'; });
    }
    std::string TickAt(milliseconds at)
    {
        now = at;
        ran.clear();
        beat.Tick();
        return ran;
    }
    bool Armed() const { return beat.findChild<QTimer*>("RunTimer")->isActive(); }

    milliseconds now{0};
    std::string ran;
    Heartbeat beat{[this] { return now; }};
};

TEST_F(HeartbeatTest, HandsOnTheDueTasksInTheScheduleOrder)
{
    EXPECT_TRUE(Armed());
    EXPECT_EQ(TickAt(milliseconds{50}), "");
    EXPECT_EQ(TickAt(milliseconds{100}), "P");
    EXPECT_EQ(TickAt(milliseconds{1000}), "PR");
    beat.SetGraphSampling(true);
    EXPECT_EQ(TickAt(milliseconds{2000}), "PRG");
    beat.SetGraphSampling(false);
    EXPECT_EQ(TickAt(milliseconds{3000}), "PR");
}

TEST_F(HeartbeatTest, NestedPausesHoldATaskUntilTheLastEnds)
{
    {
        const RunPause download(beat);
        {
            const RunPause plot(beat, {RunTask::Poll, RunTask::RecorderSecond});
            EXPECT_FALSE(Armed());
            EXPECT_EQ(TickAt(milliseconds{1000}), "");
        }
        EXPECT_FALSE(beat.Running(RunTask::Poll)) << "the outer pause still holds the poll";
        EXPECT_TRUE(beat.Running(RunTask::RecorderSecond));
        EXPECT_EQ(TickAt(milliseconds{2000}), "R");
    }
    EXPECT_TRUE(beat.Running(RunTask::Poll));
    EXPECT_EQ(TickAt(milliseconds{2050}), "") << "a resumed poll is due a period after its resume";
    EXPECT_EQ(TickAt(milliseconds{2100}), "P");
}

TEST_F(HeartbeatTest, TheGraphSampleRunsOnlyWhileWantedAndNotPaused)
{
    {
        const RunPause pause(beat, {RunTask::GraphSample});
        beat.SetGraphSampling(true);
        EXPECT_FALSE(beat.Running(RunTask::GraphSample));
    }
    EXPECT_TRUE(beat.Running(RunTask::GraphSample));
    beat.SetGraphSampling(false);
    {
        const RunPause pause(beat, {RunTask::GraphSample});
    }
    EXPECT_FALSE(beat.Running(RunTask::GraphSample)) << "a pause ending does not start an unwanted sample";
}

} // namespace
} // namespace voltaryn
