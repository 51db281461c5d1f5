#include "meter/PollLoop.h"

#include "meter/RangeTexts.h"

namespace voltaryn {
namespace {

constexpr const char* MeterIdentification = "KAV 71K";

} // namespace

PollLoop::PollLoop(MeterLink& link, MeterCommands& commands, MeterReading& reading)
    : link_(link), commands_(commands), reading_(reading)
{
}

PollTickResult PollLoop::Tick()
{
    try {
        switch (pollState_) {
        case IdentifyState:
            commands_.IdentifyMeter();
            reading_.IdentString = commands_.IdentString();
            pollState_ = RangeState;
            return {};
        case RangeState:
            commands_.ReadRange();
            reading_.RangeCode = commands_.RangeCode();
            pollState_ = DisplayState;
            return {};
        default:
            return ReadAndDecodeDisplay();
        }
    } catch (const ReplyError&) {
        reading_.MeterConnected = link_.DeviceDetected();
        connectionText_ = reading_.MeterConnected ? "Connection" : "Disconnected";
        return {};
    }
}

PollTickResult PollLoop::ReadAndDecodeDisplay()
{
    commands_.ReadDisplay();
    display_ = DecodeDisplay(commands_.Display(), reading_);
    pollState_ = IdentifyState;

    reading_.MeterConnected = link_.DeviceDetected();
    if (!reading_.MeterConnected)
        connectionText_ = "Disconnected";
    else
        connectionText_ = reading_.IdentString == MeterIdentification ? "Connection" : "Device Error!!!";

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
