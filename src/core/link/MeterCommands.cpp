#include "link/MeterCommands.h"

#include "text/CharacterCodes.h"

#include <algorithm>
#include <limits>

namespace voltaryn {
namespace {

constexpr std::uint8_t CommandClass = 65;
constexpr std::uint8_t DisplayClass = 66;

enum Group : std::uint8_t { Identification = 0, KeyPress = 1, QueryGroup = 2, SettingGroup = 3 };

std::uint8_t Byte(int value) { return static_cast<std::uint8_t>(value); }

// A two-byte count, low byte first, as the 16-bit signed value the callers work with.
std::int16_t Count16(const MeterLink::Report& reply)
{
    const int value = reply[1] + 256 * reply[2];
    if (value > std::numeric_limits<std::int16_t>::max())
        throw ReplyError("the meter answered a count above 32767");
    return static_cast<std::int16_t>(value);
}

} // namespace

MeterCommands::MeterCommands(MeterLink& link) : link_(link) {}

void MeterCommands::IdentifyMeter()
{
    link_.SetRequest({CommandClass, Identification, 1, 0, 0});
    link_.SendAndReceive();
    const MeterLink::Report& reply = link_.Reply();
    std::string ident;
    for (int i = 1; i <= 7; ++i)
        ident += CharacterFromCode(reply[i]);
    identString_ = std::move(ident);
}

void MeterCommands::PressKey(int key, int variant)
{
    link_.SetRequest({CommandClass, KeyPress, Byte(key), Byte(key == 4 ? 0 : variant), 0});
    link_.SendOnly();
}

void MeterCommands::ReadMeterClock()
{
    Query(1);
    const MeterLink::Report& reply = link_.Reply();
    std::copy_n(reply.begin() + 1, meterClock_.size(), meterClock_.begin());
}

void MeterCommands::ReadMeterInterval()
{
    Query(2);
    meterIntervalReply_ = link_.Reply()[1];
}

void MeterCommands::ReadRecordCount()
{
    Query(3);
    recordCountReply_ = Count16(link_.Reply());
}

void MeterCommands::ReadRange()
{
    Query(4);
    rangeCode_ = link_.Reply()[1];
}

void MeterCommands::ReadAverageNumber()
{
    Query(5);
    averageReply_ = Count16(link_.Reply());
}

void MeterCommands::ReadComparatorEntry(int entry)
{
    Query(6, Byte(entry));
    const MeterLink::Report& reply = link_.Reply();
    std::copy_n(reply.begin() + 2, workingComparator_.size(), workingComparator_.begin());
}

void MeterCommands::SetMeterClock(const MeterClockBytes& clock)
{
    link_.SetRequest({CommandClass, SettingGroup, 1, clock[0], clock[1], clock[2], clock[3], clock[4],
                      clock[5]});
    link_.SendOnly();
}

void MeterCommands::SetMeterInterval(int seconds) { Setting(2, Byte(seconds)); }

void MeterCommands::ClearMeterMemory() { Setting(3, 0); }

void MeterCommands::SdDeleteAll() { Setting(4, 1); }

void MeterCommands::SdDeleteFile(int fileNumber)
{
    link_.SetRequest({CommandClass, SettingGroup, 4, 2, Byte(fileNumber)});
    link_.SendAndReceive();
}

void MeterCommands::SetAverageNumber(int average) { Setting(5, Byte(average)); }

void MeterCommands::WriteComparatorEntry(int entry, const ComparatorPayload& p)
{
    link_.SetRequest({CommandClass, SettingGroup, 6, Byte(entry), p[0], p[1], p[2], p[3], p[4], p[5],
                      p[6], p[7], p[8], p[9]});
    link_.SendOnly();
}

void MeterCommands::ReadDisplay()
{
    link_.SetRequest({DisplayClass, 0, 0, 0, 0});
    link_.SendAndReceive();
    display_ = SplitDisplayPacket(link_.Reply());
}

void MeterCommands::Query(std::uint8_t code, std::uint8_t argument)
{
    link_.SetRequest({CommandClass, QueryGroup, code, argument, 0});
    link_.SendAndReceive();
}

void MeterCommands::Setting(std::uint8_t code, std::uint8_t argument4, std::uint8_t argument5)
{
    link_.SetRequest({CommandClass, SettingGroup, code, argument4, argument5});
    link_.SendOnly();
}

} // namespace voltaryn
