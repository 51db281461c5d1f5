#include "app/Heartbeat.h"

#include <algorithm>

namespace voltaryn {

Heartbeat::Heartbeat(Clock elapsed, QObject* parent) : QObject(parent), elapsed_(std::move(elapsed))
{
    monotonic_.start();
    schedule_ = RunSchedule(Now());
    timer_.setParent(this);
    timer_.setObjectName("RunTimer");
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &Heartbeat::Tick);
    Arm();
}

RunSchedule::Duration Heartbeat::Now() const
{
    return elapsed_ ? elapsed_() : RunSchedule::Duration(monotonic_.elapsed());
}

void Heartbeat::Tick()
{
    for (const RunTask task : schedule_.Due(Now())) {
        switch (task) {
        case RunTask::Poll:
            emit pollDue();
            break;
        case RunTask::RecorderSecond:
            emit recorderSecond();
            break;
        case RunTask::GraphSample:
            emit graphSample();
            break;
        }
    }
    Arm();
}

void Heartbeat::Arm()
{
    const RunSchedule::Duration next = schedule_.NextDue();
    if (next == RunSchedule::Duration::max()) {
        timer_.stop();
        return;
    }
    timer_.start(std::max(RunSchedule::Duration::zero(), next - Now()));
}

void Heartbeat::SetRunning(RunTask task, bool running)
{
    if (running)
        schedule_.Resume(task, Now());
    else
        schedule_.Pause(task);
    Arm();
}

void Heartbeat::Apply(RunTask task, bool running)
{
    SetRunning(task, running && (task != RunTask::GraphSample || graphWanted_));
}

void Heartbeat::SetGraphSampling(bool wanted)
{
    graphWanted_ = wanted;
    SetRunning(RunTask::GraphSample, wanted && !Paused(RunTask::GraphSample));
}

} // namespace voltaryn
