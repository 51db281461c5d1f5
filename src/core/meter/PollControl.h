#pragma once

namespace voltaryn {

// Starts and stops the poll of the meter. Whatever owns the poll timer implements it; a flow
// that holds a longer exchange with the meter pauses polling through PollingPause.
class PollControl {
public:
    virtual ~PollControl() = default;
    virtual void SetPolling(bool enabled) = 0;
};

// Pauses polling for as long as it lives, so a flow's exchanges with the meter never interleave
// with the poll; polling resumes however the flow ends.
class PollingPause {
public:
    explicit PollingPause(PollControl& control) : control_(control) { control_.SetPolling(false); }
    ~PollingPause() { control_.SetPolling(true); }
    PollingPause(const PollingPause&) = delete;
    PollingPause& operator=(const PollingPause&) = delete;

private:
    PollControl& control_;
};

} // namespace voltaryn
