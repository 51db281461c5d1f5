#pragma once

#include "link/MeterLink.h"
#include "meter/DisplayPacket.h"

#include <array>
#include <cstdint>
#include <string>

namespace voltaryn {

// The six clock bytes as the meter keeps them: year (two digits), month, day, hour, minute, second.
using MeterClockBytes = std::array<std::uint8_t, 6>;
// One comparator entry as it travels: four counts high byte first, then two flag bytes.
using ComparatorPayload = std::array<std::uint8_t, 10>;

// The meter's command set. Each command fills the link's output report and sends it; a command
// that reads an answer parses the reply right away and keeps the result for its caller.
//
// Request layout (byte 0 is the report id, always 0):
//   byte 1  class: 65 commands, 66 display read, 67 memory and SD card transfers
//   byte 2  group within class 65: 0 identification, 1 key press, 2 query, 3 setting
//   byte 3  code within the group
//   byte 4+ arguments; argument bytes up to byte 5 that a command does not use are sent as 0
//
// Parsing throws NoReplyYet before the first reply of the run, and ReplyError for a count that
// does not fit its 16-bit result (above 32767).
class MeterCommands {
public:
    explicit MeterCommands(MeterLink& link);

    void IdentifyMeter();          // IdentString: reply bytes 1..7 as characters
    void PressKey(int key, int variant);  // key 1..7; key 4 always sends variant 0
    void ReadMeterClock();         // MeterClock: reply bytes 1..6
    void ReadMeterInterval();      // MeterIntervalReply: reply byte 1, seconds
    void ReadRecordCount();        // RecordCountReply: bytes 1 + 256 x 2
    void ReadRange();              // RangeCode: reply byte 1
    void ReadAverageNumber();      // AverageReply: bytes 1 + 256 x 2, 2 = averaging off
    void ReadComparatorEntry(int entry);  // WorkingComparator: reply bytes 2..11
    void SetMeterClock(const MeterClockBytes& clock);
    void SetMeterInterval(int seconds);
    void ClearMeterMemory();
    void SdDeleteAll();
    void SdDeleteFile(int fileNumber);  // the reply is awaited but not used
    void SetAverageNumber(int average);
    void WriteComparatorEntry(int entry, const ComparatorPayload& payload);
    void ReadDisplay();            // Display: the split display packet

    const std::string& IdentString() const { return identString_; }
    std::int16_t RangeCode() const { return rangeCode_; }
    const MeterClockBytes& MeterClock() const { return meterClock_; }
    std::int16_t MeterIntervalReply() const { return meterIntervalReply_; }
    std::int16_t RecordCountReply() const { return recordCountReply_; }
    std::int16_t AverageReply() const { return averageReply_; }
    const ComparatorPayload& WorkingComparator() const { return workingComparator_; }
    const DisplayPacket& Display() const { return display_; }

private:
    void Query(std::uint8_t code, std::uint8_t argument = 0);
    void Setting(std::uint8_t code, std::uint8_t argument4, std::uint8_t argument5 = 0);

    MeterLink& link_;
    std::string identString_;
    std::int16_t rangeCode_ = 0;
    MeterClockBytes meterClock_{};
    std::int16_t meterIntervalReply_ = 0;
    std::int16_t recordCountReply_ = 0;
    std::int16_t averageReply_ = 0;
    ComparatorPayload workingComparator_{};
    DisplayPacket display_;
};

} // namespace voltaryn
