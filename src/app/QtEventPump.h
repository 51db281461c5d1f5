#pragma once

#include "common/EventPump.h"

#include <QCoreApplication>

namespace voltaryn {

// Lets the application's pending events run.
class QtEventPump : public EventPump {
public:
    void LetEventsRun() override { QCoreApplication::processEvents(); }
};

} // namespace voltaryn
