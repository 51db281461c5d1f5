#include "graphs/GraphSettings.h"
#include "meter/RangeTexts.h"

#include <gtest/gtest.h>

namespace voltaryn {
namespace {

TEST(GraphSettings, TemperatureAxisFollowsTheUnitAndResistanceAxisAndFieldsFollowTheRange)
{
    EXPECT_EQ(DefaultAxisLimits(true, "")[AxisChannel::Temperature], (AxisRange{65, -25}));
    EXPECT_EQ(DefaultAxisLimits(false, "")[AxisChannel::Temperature], (AxisRange{149, -13}));
    // By range code 1..6, then no range.
    const float maxima[] = {4.2f, 42, 420, 4.2f, 42, 420, 4.2f};
    const FieldFormat formats[] = {
        {0.001, "0.000"}, {0.01, "0.00"}, {0.1, "0.0"}, {0.001, "0.000"}, {0.01, "0.00"}, {0.1, "0.0"}, {0.1, "0.0"}};
    for (std::size_t i = 0; i <= RangeTexts.size(); ++i) {
        const std::string_view range = i < RangeTexts.size() ? RangeTexts[i] : "";
        EXPECT_EQ(DefaultAxisLimits(true, range)[AxisChannel::Resistance], (AxisRange{maxima[i], 0})) << range;
        EXPECT_EQ(ResistanceFieldFormat(range), formats[i]) << range;
    }
}

} // namespace
} // namespace voltaryn
