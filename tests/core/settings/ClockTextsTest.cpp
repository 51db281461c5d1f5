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

TEST(ClockTexts, TheMeterClockInFullAndItsOffsetFromThePc)
{
    const LocalTime newYear{.year = 2027, .month = 1, .day = 1};
    const std::tuple<protocol::MeterClockBytes, std::string, std::optional<std::chrono::seconds>> cases[] = {
        {{27, 1, 1, 0, 0, 3}, "2027-01-01 00:00:03", std::chrono::seconds(3)},
        {{26, 12, 31, 23, 59, 59}, "2026-12-31 23:59:59", std::chrono::seconds(-1)},
        {{27, 2, 29, 0, 0, 0}, "2027-02-29 00:00:00", std::nullopt},
        {{27, 1, 1, 24, 0, 0}, "2027-01-01 24:00:00", std::nullopt},
    };
    for (const auto& [clock, text, offset] : cases) {
        EXPECT_EQ(MeterDateTimeText(clock), text);
        EXPECT_EQ(MeterClockOffset(clock, newYear), offset) << text;
    }
}

} // namespace
} // namespace voltaryn
