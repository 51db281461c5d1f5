#pragma once

#include "link/Answer.h"
#include "link/MeterLink.h"
#include "protocol/DisplayPacket.h"
#include "protocol/Protocol.h"

#include <cstdint>
#include <string>

namespace voltaryn {

using protocol::ComparatorPayload;
using protocol::MeterClockBytes;

// The meter's command set. Each command fills the link's output report and sends it; a query
// returns its decoded answer (see Answer for where the reply came from). The request bytes are
// laid out in protocol/Protocol.h, the replies decoded by protocol/Replies.h.
class MeterCommands {
public:
    explicit MeterCommands(MeterLink& link);

    Answer<std::string> IdentifyMeter();         // reply bytes 1..7 as characters
    void PressKey(int key, int variant);          // key 1..7; key 4 always sends variant 0
    Answer<MeterClockBytes> ReadMeterClock();    // reply bytes 1..6
    Answer<std::int16_t> ReadMeterInterval();    // reply byte 1, seconds
    Answer<std::int16_t> ReadRecordCount();      // bytes 1 + 256 x 2
    Answer<std::int16_t> ReadRange();            // reply byte 1
    Answer<std::int16_t> ReadAverageNumber();    // bytes 1 + 256 x 2, 2 = averaging off
    Answer<ComparatorPayload> ReadComparatorEntry(int entry);  // reply bytes 2..11
    void SetMeterClock(const MeterClockBytes& clock);
    void SetMeterInterval(int seconds);
    void ClearMeterMemory();
    void SdDeleteAll();
    bool SdDeleteFile(int fileNumber);  // the reply is awaited but not used; true when it came
    void SetAverageNumber(int average);
    void WriteComparatorEntry(int entry, const ComparatorPayload& payload);
    Answer<DisplayPacket> ReadDisplay();  // the split display packet

private:
    // Sends a request and decodes the reply with `decode`, which returns the value or, for a
    // reply that makes no sense, an empty optional.
    template <typename Decode>
    auto Ask(std::initializer_list<std::uint8_t> request, Decode decode);
    template <typename Decode>
    auto Query(protocol::QueryCode code, Decode decode, std::uint8_t argument = 0);
    void Setting(protocol::SettingCode code, std::uint8_t argument4, std::uint8_t argument5 = 0);

    MeterLink& link_;
};

} // namespace voltaryn
