#include "graphs/DisplaySamples.h"
#include "meter/MeterReading.h"

#include <gtest/gtest.h>

#include <string>

namespace voltaryn {
namespace {

TEST(DisplaySamples, LeadingNumberReadsOnlyTheNumberATextStartsWith)
{
    const struct {
        const char* text;
        double number;
    } cases[] = {
        {"1.234", 1.234}, {"-0.5", -0.5}, {"+3", 3},     {"  12", 12}, {"4 Ohm", 4},   {"400 mOhm", 400},
        {"1.2.3", 1.2},   {".5", 0.5},    {"1e5", 1},    {"", 0},      {"   ", 0},    {"-", 0},
        {".", 0},         {"nan", 0},     {"inf", 0},    {"OL", 0},    {"- 5", 0},   {"-999.9", -999.9},
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(LeadingNumber(c.text), c.number) << '"' << c.text << '"';
}

TEST(DisplaySamples, OverloadsBecomeTheirChannelsSubstitutes)
{
    const struct {
        const char* name;
        HistoryChannel channel;
        const char* text;
        const char* ohmRange;
        const char* tempUnit;
        bool milli;
        double sample;
    } cases[] = {
        {"voltage", HistoryChannel::Voltage, "1.234", "", "", false, 1.234},
        {"voltage OL", HistoryChannel::Voltage, "OL", "", "", false, 60},
        {"voltage -OL", HistoryChannel::Voltage, "-OL", "", "", false, -60},
        {"voltage blank", HistoryChannel::Voltage, "", "", "", false, 0},
        {"voltage lower-case l", HistoryChannel::Voltage, "ol", "", "", false, 0},
        {"current", HistoryChannel::Current, "-1.5", "", "", false, -1.5},
        {"current OL", HistoryChannel::Current, "OL", "", "", false, 600},
        {"current -OL", HistoryChannel::Current, "-OL", "", "", false, 600},
        {"resistance", HistoryChannel::Resistance, "12.34", "40 mOhm", "", false, 12.34},
        {"resistance OL 40 mOhm", HistoryChannel::Resistance, "OL", "40 mOhm", "", false, 40},
        {"resistance OL 4 Ohm", HistoryChannel::Resistance, "OL", "4 Ohm", "", false, 4},
        {"resistance OL 400 mOhm", HistoryChannel::Resistance, "OL", "400 mOhm", "", false, 400},
        {"temperature", HistoryChannel::Temperature, "-3.5", "", "Celsius", false, -3.5},
        {"temperature OL C", HistoryChannel::Temperature, "OL", "", "Celsius", false, 60},
        {"temperature -OL C", HistoryChannel::Temperature, "-OL", "", "Celsius", false, -20},
        {"temperature OL F", HistoryChannel::Temperature, "OL", "", "Fahrenheih", false, 140},
        {"temperature -OL F", HistoryChannel::Temperature, "-OL", "", "Fahrenheih", false, -4},
        {"temperature OL no unit", HistoryChannel::Temperature, "OL", "", "", false, 140},
        {"in-capacity mAh", HistoryChannel::InCapacity, "1234.5", "", "", true, 1.2345},
        {"in-capacity Ah", HistoryChannel::InCapacity, "1234.5", "", "", false, 1234.5},
        {"out-capacity -OL", HistoryChannel::OutCapacity, "-OL", "", "", false, -9999},
        {"total capacity OL in mAh", HistoryChannel::TotalCapacity, "OL", "", "", true, 9999},
    };
    for (const auto& c : cases) {
        MeterReading reading;
        const auto text = [&](HistoryChannel channel) { return channel == c.channel ? c.text : "7"; };
        reading.VoltageText = text(HistoryChannel::Voltage);
        reading.CurrentText = text(HistoryChannel::Current);
        reading.TemperatureText = text(HistoryChannel::Temperature);
        reading.ResistanceText = text(HistoryChannel::Resistance);
        reading.CapacityText = {text(HistoryChannel::InCapacity), text(HistoryChannel::OutCapacity),
                                text(HistoryChannel::TotalCapacity)};
        reading.CapMilli = {c.milli, c.milli, c.milli};
        const GraphSamples samples = SamplesFromDisplay(reading, c.ohmRange, c.tempUnit);
        for (std::size_t i = 0; i < HistoryChannelCount; ++i) {
            const auto channel = static_cast<HistoryChannel>(i);
            const double others = i >= 4 && c.milli ? 0.007 : 7;
            EXPECT_DOUBLE_EQ(samples[channel], channel == c.channel ? c.sample : others) << c.name << ", channel " << i;
        }
    }
}

} // namespace
} // namespace voltaryn
