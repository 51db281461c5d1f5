#pragma once

#include "link/MeterCommands.h"
#include "link/MeterLink.h"
#include "meter/MeterReading.h"
#include "meter/PollLoop.h"

namespace voltaryn {

// The live side of the program over one HID backend: the link, the command set, the one live
// reading and the poll loop that keeps it current.
struct MeterSession {
    explicit MeterSession(HidBackend& backend) : link(backend) {}

    MeterLink link;
    MeterCommands commands{link};
    MeterReading reading;
    PollLoop pollLoop{link, commands, reading};
};

} // namespace voltaryn
