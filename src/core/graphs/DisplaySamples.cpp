#include "graphs/DisplaySamples.h"

#include "meter/MeterReading.h"

#include <charconv>
#include <cstddef>

namespace voltaryn {

namespace {

bool IsOverload(std::string_view text) { return text.find('L') != std::string_view::npos; }
bool IsNegative(std::string_view text) { return text.find('-') != std::string_view::npos; }

double VoltageSample(std::string_view text)
{
    if (IsOverload(text))
        return IsNegative(text) ? -60 : 60;
    return LeadingNumber(text);
}

double CurrentSample(std::string_view text) { return IsOverload(text) ? 600 : LeadingNumber(text); }

double TemperatureSample(std::string_view text, std::string_view tempUnit)
{
    if (!IsOverload(text))
        return LeadingNumber(text);
    const bool celsius = tempUnit == "Celsius";
    if (IsNegative(text))
        return celsius ? -20 : -4;
    return celsius ? 60 : 140;
}

// An overloaded resistance reads as the top of its range.
double ResistanceSample(std::string_view text, std::string_view ohmRange)
{
    return LeadingNumber(IsOverload(text) ? ohmRange : text);
}

double CapacitySample(std::string_view text, bool milli)
{
    if (IsOverload(text))
        return IsNegative(text) ? -9999 : 9999;
    return milli ? LeadingNumber(text) * 0.001 : LeadingNumber(text);
}

} // namespace

double LeadingNumber(std::string_view text)
{
    const std::size_t start = text.find_first_not_of(' ');
    if (start == std::string_view::npos)
        return 0;
    text.remove_prefix(start);
    const bool negative = text.front() == '-';
    if (negative || text.front() == '+')
        text.remove_prefix(1);
    text = text.substr(0, text.find_first_not_of("0123456789."));
    double value = 0;
    if (std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed).ec != std::errc())
        return 0;
    return negative ? -value : value;
}

GraphSamples SamplesFromDisplay(const MeterReading& reading, std::string_view ohmRange, std::string_view tempUnit)
{
    GraphSamples samples;
    samples[HistoryChannel::Voltage] = VoltageSample(reading.VoltageText);
    samples[HistoryChannel::Current] = CurrentSample(reading.CurrentText);
    samples[HistoryChannel::Temperature] = TemperatureSample(reading.TemperatureText, tempUnit);
    samples[HistoryChannel::Resistance] = ResistanceSample(reading.ResistanceText, ohmRange);
    samples[HistoryChannel::InCapacity] = CapacitySample(reading.CapacityText[0], reading.CapMilli[0]);
    samples[HistoryChannel::OutCapacity] = CapacitySample(reading.CapacityText[1], reading.CapMilli[1]);
    samples[HistoryChannel::TotalCapacity] = CapacitySample(reading.CapacityText[2], reading.CapMilli[2]);
    return samples;
}

} // namespace voltaryn
