#pragma once

#include "recording/RunSchedule.h"

#include <array>
#include <initializer_list>
#include <vector>

namespace voltaryn {

// Pauses and resumes the program's periodic work. Pauses of one task nest: it stops when the
// first pause starts and runs again only when the last one ends, so a flow started in the middle
// of another's exchanges (a key pressed during a download) cannot restart the poll under it.
// Whatever runs the schedule implements Apply.
class RunControl {
public:
    virtual ~RunControl() = default;

    void Pause(RunTask task)
    {
        if (pauses_[Index(task)]++ == 0)
            Apply(task, false);
    }
    void Resume(RunTask task)
    {
        int& pauses = pauses_[Index(task)];
        if (pauses == 0)
            return;
        if (--pauses == 0)
            Apply(task, true);
    }
    bool Paused(RunTask task) const { return pauses_[Index(task)] > 0; }

protected:
    // The task stops (its first pause started) or may run again (its last pause ended).
    virtual void Apply(RunTask task, bool running) = 0;

private:
    static constexpr std::size_t Index(RunTask task) { return static_cast<std::size_t>(task); }

    std::array<int, RunSchedule::TaskCount> pauses_{};
};

// Pauses tasks for as long as it lives — the poll unless told otherwise — so a flow's exchanges
// with the meter never interleave with the poll; they resume however the flow ends.
class RunPause {
public:
    explicit RunPause(RunControl& control, std::initializer_list<RunTask> tasks = {RunTask::Poll})
        : control_(control), tasks_(tasks)
    {
        for (const RunTask task : tasks_)
            control_.Pause(task);
    }
    ~RunPause()
    {
        for (const RunTask task : tasks_)
            control_.Resume(task);
    }
    RunPause(const RunPause&) = delete;
    RunPause& operator=(const RunPause&) = delete;

private:
    RunControl& control_;
    std::vector<RunTask> tasks_;
};

} // namespace voltaryn
