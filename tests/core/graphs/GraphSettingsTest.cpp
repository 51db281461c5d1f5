#include "graphs/GraphSettings.h"
#include "meter/RangeTexts.h"

#include <gtest/gtest.h>

#include <string>

namespace voltaryn {
namespace {

TEST(GraphSettings, DefaultLimitsFollowTheTemperatureUnit)
{
    AxisLimits celsius;
    celsius[AxisChannel::Voltage] = {67, -67};
    celsius[AxisChannel::Current] = {670, -670};
    celsius[AxisChannel::Temperature] = {65, -25};
    celsius[AxisChannel::Resistance] = {42, 0};
    celsius[AxisChannel::Capacity] = {9999, -9999};
    AxisLimits fahrenheit = celsius;
    fahrenheit[AxisChannel::Temperature] = {149, -13};
    EXPECT_EQ(DefaultAxisLimits(true, "40 mOhm"), celsius);
    EXPECT_EQ(DefaultAxisLimits(false, "40 mOhm"), fahrenheit);
}

TEST(GraphSettings, ResistanceAxisAndFieldsFollowTheRange)
{
    const struct {
        std::string range;
        float axisMaximum;
        FieldFormat format;
    } cases[] = {
        {std::string(RangeTexts[0]), 4.2f, {0.001, 3}}, {std::string(RangeTexts[1]), 42, {0.01, 2}},
        {std::string(RangeTexts[2]), 420, {0.1, 1}},    {std::string(RangeTexts[3]), 4.2f, {0.001, 3}},
        {std::string(RangeTexts[4]), 42, {0.01, 2}},    {std::string(RangeTexts[5]), 420, {0.1, 1}},
        {"", 4.2f, {0.1, 1}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DefaultAxisLimits(true, c.range)[AxisChannel::Resistance], (AxisRange{c.axisMaximum, 0})) << c.range;
        EXPECT_EQ(ResistanceFieldFormat(c.range), c.format) << c.range;
    }
}

} // namespace
} // namespace voltaryn
