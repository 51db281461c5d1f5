#pragma once

#include "recording/RunControl.h"
#include "recording/RunSchedule.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <functional>

namespace voltaryn {

// The program's heartbeat: one precise single-shot timer armed to the run schedule's next task,
// which hands each due task on, in the schedule's order, as pollDue(), recorderSecond() and
// graphSample(). It keeps the pause counts every flow that talks to the meter holds (RunControl);
// the live graph's sample runs only while the graph wants it and no pause holds it.
class Heartbeat : public QObject, public RunControl {
    Q_OBJECT
public:
    using Clock = std::function<RunSchedule::Duration()>;

    // Time runs from construction by the PC's monotonic clock unless `elapsed` tells it otherwise.
    explicit Heartbeat(Clock elapsed = {}, QObject* parent = nullptr);

    bool Running(RunTask task) const { return schedule_.Running(task); }
    // The live graph starts or stops wanting its sample.
    void SetGraphSampling(bool wanted);
    // Runs the tasks due now and arms the timer for the next one; the timer calls it.
    void Tick();

signals:
    void pollDue();
    void recorderSecond();
    void graphSample();

protected:
    void Apply(RunTask task, bool running) override;

private:
    RunSchedule::Duration Now() const;
    void SetRunning(RunTask task, bool running);
    void Arm();

    QElapsedTimer monotonic_;
    Clock elapsed_;
    RunSchedule schedule_;
    QTimer timer_;  // a child, named "RunTimer"
    bool graphWanted_ = false;
};

} // namespace voltaryn
