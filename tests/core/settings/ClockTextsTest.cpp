#include "settings/ClockTexts.h"

#include <gtest/gtest.h>

namespace voltaryn {
namespace {

TEST(ClockTexts, DayAndTimeTextsAndTheSetCommandsBytes)
{
    EXPECT_EQ(MeterTimeText({26, 12, 4, 9, 5, 30}), "04:09:05:30");
    const LocalTime lastSecond{.year = 2026, .month = 12, .day = 31, .hour = 23, .minute = 59, .second = 59};
    EXPECT_EQ(PcTimeText(lastSecond), "31:23:59:59");
    // Day and time of the one instant: never the new day with the old day's time.
    EXPECT_EQ(MeterClockFor(lastSecond), (protocol::MeterClockBytes{26, 12, 31, 23, 59, 59}));
    EXPECT_EQ(MeterClockFor({.year = 2100, .month = 1, .day = 1}), (protocol::MeterClockBytes{0, 1, 1, 0, 0, 0}));
}

} // namespace
} // namespace voltaryn
