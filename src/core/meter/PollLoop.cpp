#include "meter/PollLoop.h"

#include "meter/RangeTexts.h"

namespace voltaryn {

PollLoop::PollLoop(MeterLink& link, MeterCommands& commands, MeterReading& reading)
    : link_(link), commands_(commands), reading_(reading)
{
}

// A request without a usable answer (no reply yet in this run, a reply that makes no sense) ends
// the tick quietly, and the same request is tried on the next one. A request whose reply did not
// come is answered from the previous reply, as the meter's program always did.
PollTickResult PollLoop::Tick()
{
    switch (pollState_) {
    case IdentifyState:
        if (const Answer<std::string> ident = commands_.IdentifyMeter(); ident.value) {
            reading_.IdentString = *ident.value;
            pollState_ = RangeState;
            return {};
        }
        break;
    case RangeState:
        if (const Answer<std::int16_t> range = commands_.ReadRange(); range.value) {
            reading_.RangeCode = *range.value;
            pollState_ = DisplayState;
            return {};
        }
        break;
    default:
        if (const Answer<DisplayPacket> packet = commands_.ReadDisplay(); packet.value)
            return ShowDisplay(*packet.value);
        break;
    }
    reading_.MeterConnected = link_.DeviceDetected();
    connectionText_ = reading_.MeterConnected ? "Connection" : "Disconnected";
    return {};
}

PollTickResult PollLoop::ShowDisplay(const DisplayPacket& packet)
{
    display_ = DecodeDisplay(packet, reading_);
    pollState_ = IdentifyState;

    reading_.MeterConnected = link_.DeviceDetected();
    if (!reading_.MeterConnected)
        connectionText_ = "Disconnected";
    else
        connectionText_ = reading_.IdentString == protocol::MeterIdentification ? "Connection" : "Device Error!!!";

    PollTickResult result{.displayDecoded = true};
    if (reading_.RangeCode != reading_.LastRangeCode) {
        result.rangeChanged = true;
        if (IsRangeCode(reading_.RangeCode))
            reading_.RangeText = RangeTexts[static_cast<std::size_t>(reading_.RangeCode - 1)];
        reading_.LastRangeCode = reading_.RangeCode;
    }
    return result;
}

} // namespace voltaryn
