#pragma once

#include <array>
#include <chrono>
#include <cstddef>
#include <vector>

namespace voltaryn {

// The program's periodic work while it runs.
enum class RunTask {
    Poll,            // one request to the meter, every 100 ms
    RecorderSecond,  // the recorder's second, which writes a record every sampling time
    GraphSample,     // the live graph's sample, once a second while it runs
};

// Decides when each periodic task runs, and in which order tasks that fall on the same moment
// run: the poll first, so that the recorder and the graph take the display it just read, then the
// recorder, then the graph. The desktop program and the command line's recorder both run by it, so
// a recording made by either from the same meter is the same file.
class RunSchedule {
public:
    using Duration = std::chrono::milliseconds;
    static constexpr std::size_t TaskCount = 3;

    static constexpr Duration Period(RunTask task)
    {
        return task == RunTask::Poll ? Duration{100} : Duration{1000};
    }

    // The poll and the recorder's second run from `start` on, each first due one period later;
    // the graph sample waits for Resume.
    explicit RunSchedule(Duration start = Duration::zero());

    // A paused task is never due; a resumed one is next due one period after `now`. Resuming a
    // running task changes nothing.
    void Pause(RunTask task);
    void Resume(RunTask task, Duration now);
    bool Running(RunTask task) const { return slots_[Index(task)].running; }

    // When the next running task is due; Duration::max() when none runs.
    Duration NextDue() const;
    // The running tasks due at `now`, in the order they run. Each moves on to its first due time
    // after `now`: a late tick runs once, the periods it missed are not made up.
    std::vector<RunTask> Due(Duration now);

private:
    struct Slot {
        bool running = false;
        Duration due{};
    };
    static constexpr std::size_t Index(RunTask task) { return static_cast<std::size_t>(task); }

    std::array<Slot, TaskCount> slots_{};
};

} // namespace voltaryn
