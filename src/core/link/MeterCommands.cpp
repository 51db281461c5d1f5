#include "link/MeterCommands.h"

#include "protocol/Replies.h"

#include <optional>

namespace voltaryn {
namespace {

using namespace protocol;

template <typename T>
std::optional<T> AsOptional(T value)
{
    return value;
}
template <typename T>
std::optional<T> AsOptional(std::optional<T> value)
{
    return value;
}

} // namespace

MeterCommands::MeterCommands(MeterLink& link) : link_(link) {}

template <typename Decode>
auto MeterCommands::Ask(std::initializer_list<std::uint8_t> request, Decode decode)
{
    using Value = decltype(AsOptional(decode(link_.InputReport())))::value_type;
    link_.SetRequest(request);
    const bool fresh = link_.SendAndReceive();
    Answer<Value> answer;
    if (!link_.HasReply())
        return answer;
    answer.value = AsOptional(decode(link_.InputReport()));
    if (answer.value)
        answer.source = fresh ? ReplySource::Fresh : ReplySource::Previous;
    else if (fresh)
        answer.source = ReplySource::Invalid;
    return answer;
}

template <typename Decode>
auto MeterCommands::Query(QueryCode code, Decode decode, std::uint8_t argument)
{
    return Ask({CommandClass, QueryGroup, code, argument, 0}, decode);
}

Answer<std::string> MeterCommands::IdentifyMeter()
{
    return Ask({CommandClass, IdentificationGroup, 1, 0, 0}, DecodeIdentification);
}

void MeterCommands::PressKey(int key, int variant)
{
    link_.SetRequest({CommandClass, KeyGroup, RequestByte(key), RequestByte(key == 4 ? 0 : variant), 0});
    link_.SendOnly();
}

Answer<MeterClockBytes> MeterCommands::ReadMeterClock() { return Query(ClockQuery, DecodeMeterClock); }

Answer<std::int16_t> MeterCommands::ReadMeterInterval() { return Query(IntervalQuery, DecodeByteValue); }

Answer<std::int16_t> MeterCommands::ReadRecordCount() { return Query(RecordCountQuery, DecodeCount); }

Answer<std::int16_t> MeterCommands::ReadRange() { return Query(RangeQuery, DecodeByteValue); }

Answer<std::int16_t> MeterCommands::ReadAverageNumber() { return Query(AverageQuery, DecodeCount); }

Answer<ComparatorPayload> MeterCommands::ReadComparatorEntry(int entry)
{
    return Query(ComparatorQuery, DecodeComparatorPayload, RequestByte(entry));
}

void MeterCommands::SetMeterClock(const MeterClockBytes& clock)
{
    link_.SetRequest({CommandClass, SettingGroup, ClockSetting, clock[0], clock[1], clock[2], clock[3], clock[4],
                      clock[5]});
    link_.SendOnly();
}

void MeterCommands::SetMeterInterval(int seconds) { Setting(IntervalSetting, RequestByte(seconds)); }

void MeterCommands::ClearMeterMemory() { Setting(ClearMemorySetting, 0); }

void MeterCommands::SdDeleteAll() { Setting(SdDeleteSetting, SdDeleteAllFiles); }

bool MeterCommands::SdDeleteFile(int fileNumber)
{
    link_.SetRequest({CommandClass, SettingGroup, SdDeleteSetting, SdDeleteOneFile, RequestByte(fileNumber)});
    return link_.SendAndReceive();
}

void MeterCommands::SetAverageNumber(int average) { Setting(AverageSetting, RequestByte(average)); }

void MeterCommands::WriteComparatorEntry(int entry, const ComparatorPayload& p)
{
    link_.SetRequest({CommandClass, SettingGroup, ComparatorSetting, RequestByte(entry), p[0], p[1], p[2], p[3], p[4],
                      p[5], p[6], p[7], p[8], p[9]});
    link_.SendOnly();
}

Answer<DisplayPacket> MeterCommands::ReadDisplay()
{
    return Ask({DisplayClass, 0, 0, 0, 0}, [](std::span<const std::uint8_t> reply) { return SplitDisplayPacket(reply); });
}

void MeterCommands::Setting(SettingCode code, std::uint8_t argument4, std::uint8_t argument5)
{
    link_.SetRequest({CommandClass, SettingGroup, code, argument4, argument5});
    link_.SendOnly();
}

} // namespace voltaryn
