#pragma once

#include "common/EventPump.h"

namespace voltaryn::testing {

// The event pump of code run without an event loop: there are no events to let run.
struct NoEvents : EventPump {
    void LetEventsRun() override {}
};

} // namespace voltaryn::testing
