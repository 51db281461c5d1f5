// The display packet as the meter sends it: split into status bits and characters, then decoded
// into the panel and the reading, starting from a reading with either temperature unit.
#include "FuzzInput.h"
#include "FuzzTarget.h"

#include "meter/DisplayDecoder.h"
#include "protocol/DisplayPacket.h"

VOLTARYN_FUZZ_TARGET(Display)
{
    using namespace voltaryn;
    const DisplayPacket packet = SplitDisplayPacket({data, size});
    for (const bool celsius : {true, false}) {
        MeterReading reading;
        reading.TempIsCelsius = celsius;
        DecodeDisplay(packet, reading);
    }
    return 0;
}
