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
    // The text of every field, the range, the temperature unit, which capacity rows show mAh, the samples.
    const std::tuple<const char*, const char*, const char*, std::array<bool, 3>, std::array<double, HistoryChannelCount>>
        cases[] = {
        {"OL", "40 mOhm", "Celsius", {true, true, true}, {60, 600, 60, 40, 9999, 9999, 9999}},
        {"-OL", "40 mOhm", "Celsius", {}, {-60, 600, -20, 40, -9999, -9999, -9999}},
        {"OL", "4 Ohm", "Fahrenheih", {}, {60, 600, 140, 4, 9999, 9999, 9999}},
        {"-OL", "400 mOhm", "", {}, {-60, 600, -4, 400, -9999, -9999, -9999}},
        {"1234.5", "4 Ohm", "Celsius", {true, false, true}, {1234.5, 1234.5, 1234.5, 1234.5, 1.2345, 1234.5, 1.2345}},
        {"-1.5", "4 Ohm", "Celsius", {}, {-1.5, -1.5, -1.5, -1.5, -1.5, -1.5, -1.5}},
        {"ol", "4 Ohm", "Celsius", {}, {}},
        {"", "4 Ohm", "Celsius", {}, {}},
    };
    for (const auto& [text, ohmRange, tempUnit, milli, expected] : cases) {
        MeterReading reading;
        reading.VoltageText = reading.CurrentText = reading.TemperatureText = reading.ResistanceText = text;
        reading.CapacityText = {text, text, text};
        reading.CapMilli = milli;
        const GraphSamples samples = SamplesFromDisplay(reading, ohmRange, tempUnit);
        for (std::size_t i = 0; i < HistoryChannelCount; ++i)
            EXPECT_DOUBLE_EQ(samples.values[i], expected[i]) << text << " in " << ohmRange << ", sample " << i;
    }
}

} // namespace
} // namespace voltaryn
