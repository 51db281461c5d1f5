#include "recording/RunSchedule.h"

#include <algorithm>

namespace voltaryn {

RunSchedule::RunSchedule(Duration start)
{
    Resume(RunTask::Poll, start);
    Resume(RunTask::RecorderSecond, start);
}

void RunSchedule::Pause(RunTask task) { slots_[Index(task)].running = false; }

void RunSchedule::Resume(RunTask task, Duration now)
{
    Slot& slot = slots_[Index(task)];
    if (slot.running)
        return;
    slot = {true, now + Period(task)};
}

RunSchedule::Duration RunSchedule::NextDue() const
{
    Duration next = Duration::max();
    for (const Slot& slot : slots_)
        if (slot.running)
            next = std::min(next, slot.due);
    return next;
}

std::vector<RunTask> RunSchedule::Due(Duration now)
{
    std::vector<RunTask> due;
    for (std::size_t i = 0; i < TaskCount; ++i) {
        Slot& slot = slots_[i];
        if (!slot.running || slot.due > now)
            continue;
        const auto task = static_cast<RunTask>(i);
        due.push_back(task);
        const Duration period = Period(task);
        slot.due += period * ((now - slot.due) / period + 1);
    }
    return due;
}

} // namespace voltaryn
