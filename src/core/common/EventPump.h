#pragma once

namespace voltaryn {

// Lets the user interface's pending events run in the middle of a long operation, so it stays
// responsive and shows progress. The program hands the application's event loop; tests
// count the calls.
class EventPump {
public:
    virtual ~EventPump() = default;
    virtual void LetEventsRun() = 0;
    // The user asked, while the events ran, to stop the long operation: it ends after the step
    // it is in, as cleanly as its protocol allows.
    virtual bool StopRequested() const { return false; }
};

} // namespace voltaryn
