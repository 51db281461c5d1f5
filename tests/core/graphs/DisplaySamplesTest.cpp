#include "graphs/DisplaySamples.h"
#include "meter/MeterReading.h"

#include <gtest/gtest.h>

namespace voltaryn {
namespace {

TEST(DisplaySamples, LeadingNumberReadsOnlyTheNumberATextStartsWith)
{
    const std::pair<const char*, double> cases[] = {
        {"-0.5", -0.5}, {"+3", 3}, {"  12", 12}, {"4 Ohm", 4}, {"1.2.3", 1.2}, {".5", 0.5}, {"1e5", 1},
        {"", 0},        {"-", 0},  {".", 0},     {"nan", 0},   {"OL", 0},      {"- 5", 0},
    };
    for (const auto& [text, number] : cases)
        EXPECT_DOUBLE_EQ(LeadingNumber(text), number) << '"' << text << '"';
}

// Every display field shows the same text; the samples are in history order: voltage, current,
// temperature, resistance, in-, out- and total capacity.
TEST(DisplaySamples, OverloadsBecomeTheirChannelsSubstitutesAndMilliampHoursAmpHours)
{
    const struct {
        const char* text;
        const char* ohmRange;
        const char* tempUnit;
        std::array<bool, 3> milli;
        std::array<double, HistoryChannelCount> samples;
    } cases[] = {
        {"OL", "40 mOhm", "Celsius", {true, true, true}, {60, 600, 60, 40, 9999, 9999, 9999}},
        {"-OL", "40 mOhm", "Celsius", {}, {-60, 600, -20, 40, -9999, -9999, -9999}},
        {"OL", "4 Ohm", "Fahrenheih", {}, {60, 600, 140, 4, 9999, 9999, 9999}},
        {"-OL", "400 mOhm", "", {}, {-60, 600, -4, 400, -9999, -9999, -9999}},
        {"1234.5", "4 Ohm", "Celsius", {true, false, true}, {1234.5, 1234.5, 1234.5, 1234.5, 1.2345, 1234.5, 1.2345}},
        {"-1.5", "4 Ohm", "Celsius", {}, {-1.5, -1.5, -1.5, -1.5, -1.5, -1.5, -1.5}},
        {"ol", "4 Ohm", "Celsius", {}, {}},
        {"", "4 Ohm", "Celsius", {}, {}},
    };
    for (const auto& c : cases) {
        MeterReading reading;
        reading.VoltageText = reading.CurrentText = reading.TemperatureText = reading.ResistanceText = c.text;
        reading.CapacityText = {c.text, c.text, c.text};
        reading.CapMilli = c.milli;
        const GraphSamples samples = SamplesFromDisplay(reading, c.ohmRange, c.tempUnit);
        for (std::size_t i = 0; i < HistoryChannelCount; ++i)
            EXPECT_DOUBLE_EQ(samples.values[i], c.samples[i]) << c.text << " in " << c.ohmRange << ", sample " << i;
    }
}

} // namespace
} // namespace voltaryn
