// One query reply through every reply decoder, and the meter clock it holds through the clock
// texts against a PC time taken from the input's last bytes.
#include "FuzzInput.h"
#include "FuzzTarget.h"

#include "protocol/Replies.h"
#include "settings/ClockTexts.h"

VOLTARYN_FUZZ_TARGET(Replies)
{
    using namespace voltaryn;
    using fuzz::Expect;
    const std::span<const std::uint8_t> reply(data, size);
    protocol::DecodeIdentification(reply);
    protocol::DecodeByteValue(reply);
    if (const auto count = protocol::DecodeCount(reply))
        Expect(*count >= 0, "a record count is never negative");
    protocol::DecodeComparatorPayload(reply);

    const protocol::MeterClockBytes clock = protocol::DecodeMeterClock(reply);
    MeterTimeText(clock);
    MeterDateTimeText(clock);
    // The PC's clock always reads a real date and time; the meter's bytes may be anything.
    fuzz::FuzzInput tail(data + std::min<std::size_t>(size, 7), size - std::min<std::size_t>(size, 7));
    const LocalTime now{2000 + tail.Byte() % 100, 1 + tail.Byte() % 12, 1 + tail.Byte() % 28,
                        tail.Byte() % 24,         tail.Byte() % 60,     tail.Byte() % 60};
    if (MeterClockOffset(clock, now))
        Expect(clock[1] >= 1 && clock[1] <= 12 && clock[2] >= 1 && clock[2] <= 31 && clock[3] <= 23 &&
                   clock[4] <= 59 && clock[5] <= 59,
               "an offset only for a real meter date and time");
    const LocalTime roundTrip{2000 + clock[0] % 100, clock[1], clock[2], clock[3], clock[4], clock[5]};
    Expect(MeterClockFor(roundTrip) == protocol::MeterClockBytes{static_cast<std::uint8_t>(clock[0] % 100), clock[1],
                                                                 clock[2], clock[3], clock[4], clock[5]},
           "the clock bytes survive a round trip");
    return 0;
}
