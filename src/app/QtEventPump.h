#pragma once

#include "common/EventPump.h"

#include <QCoreApplication>
#include <QElapsedTimer>

namespace voltaryn {

// Lets the application's pending events run. A long operation asks after each of its steps, tens
// of thousands of times for a large file; asked again within a millisecond, the window system is
// not asked for events that cannot have come yet, which took half the time of opening one.
class QtEventPump : public EventPump {
public:
    QtEventPump() { sinceEvents_.start(); }
    void LetEventsRun() override
    {
        if (sinceEvents_.nsecsElapsed() < kShortestSpellNs)
            return;
        QCoreApplication::processEvents();
        sinceEvents_.restart();
    }

private:
    static constexpr qint64 kShortestSpellNs = 1'000'000;
    QElapsedTimer sinceEvents_;
};

} // namespace voltaryn
