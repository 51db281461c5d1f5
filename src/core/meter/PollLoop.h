#pragma once

#include "link/MeterCommands.h"
#include "meter/DisplayDecoder.h"
#include "meter/MeterReading.h"

#include <string>

namespace voltaryn {

// What one tick changed, so the panel redraws only that.
struct PollTickResult {
    bool displayDecoded = false;  // the reading and the panel indicators were rewritten
    bool rangeChanged = false;    // RangeCode differs from the range shown before this tick
};

// The 100 ms poll of the meter. Each tick sends exactly one request, rotating through
// identification, range query and display read, so the display refreshes every third tick.
// A request that fails (no reply yet, a reply that makes no sense) ends its tick quietly and is
// tried again on the next one.
class PollLoop {
public:
    static constexpr int IdentifyState = 1;
    static constexpr int RangeState = 2;
    static constexpr int DisplayState = 3;

    PollLoop(MeterLink& link, MeterCommands& commands, MeterReading& reading);

    PollTickResult Tick();

    int PollState() const { return pollState_; }
    // The connection label's text: "No COM" until the first display tick ends.
    const std::string& ConnectionText() const { return connectionText_; }
    // The indicators of the last decoded display (all off before the first one).
    const PanelDisplay& Display() const { return display_; }

private:
    PollTickResult ShowDisplay(const DisplayPacket& packet);

    MeterLink& link_;
    MeterCommands& commands_;
    MeterReading& reading_;
    int pollState_ = IdentifyState;
    std::string connectionText_ = "No COM";
    PanelDisplay display_;
};

} // namespace voltaryn
