#pragma once

#include "FuzzInput.h"

#include "common/EventPump.h"
#include "core/link/ScriptedHidBackend.h"
#include "link/MeterLink.h"

namespace voltaryn::fuzz {

// A meter on a scripted HID backend whose replies come from a fuzz input, one after the other:
// a control byte, then the reply. A control byte of 0xF0 or more is a read that times out
// (odd) or fails (even); any other gives a reply of (control mod 66) bytes, report id first,
// which may be shorter than a report. When the input runs out every further read times out.
struct ScriptedMeter {
    static constexpr std::uint8_t FirstSilentControl = 0xF0;

    explicit ScriptedMeter(FuzzInput& input)
    {
        backend.AddMeter("meter");
        while (!input.Empty()) {
            const std::uint8_t control = input.Byte();
            if (control >= FirstSilentControl) {
                backend.reads.push_back({control % 2 != 0 ? ReadResult::TimedOut : ReadResult::Failed, {}});
                continue;
            }
            const auto reply = input.Bytes(control % (MeterLink::ReportLength + 1));
            backend.Reply({reply.begin(), reply.end()});
        }
    }

    testing::ScriptedHidBackend backend;
    MeterLink link{backend};
};

// Pending events: there are none.
struct NoEvents : EventPump {
    void LetEventsRun() override {}
};

} // namespace voltaryn::fuzz
