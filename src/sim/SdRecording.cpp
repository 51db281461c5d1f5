#include "sim/SdRecording.h"

#include "protocol/Protocol.h"
#include "sim/BatteryModel.h"
#include "sim/MeterClock.h"

#include <algorithm>
#include <cstdio>

namespace voltaryn::sim {
namespace {

using protocol::SdHeaderBytes;
using protocol::SdRecordBytes;

std::string Printed(const char* format, auto... values)
{
    char text[64];
    std::snprintf(text, sizeof text, format, values...);
    return text;
}

std::string DateText(const MeterClockBytes& t) { return Printed("20%02d/%02d/%02d", t[0], t[1], t[2]); }
std::string TimeText(const MeterClockBytes& t) { return Printed("%02d:%02d:%02d", t[3], t[4], t[5]); }

// `text` right-aligned in a field `width` characters wide.
std::string Field(const std::string& text, std::size_t width)
{
    const std::string shown = text.size() <= width ? text : "OL";
    return std::string(width - shown.size(), ' ') + shown;
}

std::string Number(double value, int decimals) { return Printed("%.*f", decimals, value); }

std::string BuildHeader(const SdFile& file)
{
    const MeterClockBytes start = MeterClock{}.At(file.start);
    std::string header = "Battery analyser recording\n";
    header += Printed("File number    : %03d\n", file.number);
    header += Printed("Records        : %d\n", file.records);
    header += "Start date/time: " + DateText(start) + " " + TimeText(start) + "\n";
    header += Printed("Interval time:%6lld sec\n", static_cast<long long>(file.interval.count()));
    header += "Voltage        : V\nResistance     : mOhm\nCurrent        : A\n";
    header += "Temperature    : Celsius\nCapacity       : Ah\n";
    header += "   Time      Volt    Resist     Amp     Temp       In-Cap  Out-Cap     T-Cap";
    header.resize(SdHeaderBytes - 1, ' ');
    return header + "\n";
}

} // namespace

std::int64_t SdFile::Size() const { return std::int64_t{records} * SdRecordBytes + SdHeaderBytes; }

SdRecordingText::SdRecordingText(const SdFile& file) : file_(file), header_(BuildHeader(file)) {}

void SdRecordingText::Read(std::int64_t offset, std::span<std::uint8_t> out) const
{
    std::fill(out.begin(), out.end(), 0);
    std::size_t filled = 0;
    while (filled < out.size() && offset < file_.Size()) {
        const bool inHeader = offset < SdHeaderBytes;
        const std::int64_t recordOffset = offset - SdHeaderBytes;
        const std::string line = inHeader ? header_ : RecordLine(static_cast<int>(recordOffset / SdRecordBytes) + 1);
        const auto from = static_cast<std::size_t>(inHeader ? offset : recordOffset % SdRecordBytes);
        const std::size_t count = std::min(line.size() - from, out.size() - filled);
        std::copy_n(line.begin() + static_cast<std::ptrdiff_t>(from), count, out.begin() + static_cast<std::ptrdiff_t>(filled));
        filled += count;
        offset += static_cast<std::int64_t>(count);
    }
}

std::string SdRecordingText::RecordLine(int number) const
{
    const SimTime at = file_.start + (number - 1) * file_.interval;
    const BatterySample s = BatteryModel(LeadAcid12V, file_.start).SampleAt(at);
    return " " + Field(TimeText(MeterClock{}.At(at)), 8) + " " + Field(Number(s.volts, 3), 9) + " " +
           Field(Number(s.ohms * 1000, 2), 9) + " " + Field(Number(s.amps, 3), 8) + Field(Number(s.celsius, 1), 9) +
           Field(Number(s.inAh, 3), 13) + Field(Number(s.outAh, 3), 9) + Field(Number(s.inAh - s.outAh, 3), 10) +
           "  \n";
}

} // namespace voltaryn::sim
