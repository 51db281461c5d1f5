#include "settings/ClockTexts.h"
#include "settings/SettingAnswers.h"

#include <gtest/gtest.h>

#include <locale>
#include <stdexcept>

namespace voltaryn {
namespace {

using Kind = NumberAnswer::Kind;

// Runs a test under a global C and C++ locale, restoring the earlier one afterwards.
class UnderLocaleTest : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override
    {
        try {
            earlier_ = std::locale::global(std::locale(GetParam()));
        } catch (const std::runtime_error&) {
            GTEST_SKIP() << GetParam() << " is not installed";
        }
    }
    void TearDown() override { std::locale::global(earlier_); }

private:
    std::locale earlier_;
};

TEST_P(UnderLocaleTest, SamplingIntervalsTakeAPointOrACommaAreRoundedHalfToEvenAndClampedAndWordsAreRefused)
{
    const std::vector<std::tuple<const char*, int, int>> cases = {
        // answer, PC interval, meter interval
        {"0.4", 1, 1},   {"2.5", 2, 2},     {"3,5", 4, 4},        {"100000", 86400, 255},
        {"0", 1, 1},     {" 17 ", 17, 17},  {"-5", 1, 1},         {"255.5", 256, 255},
        {"1e3", 1000, 255}, {"86400", 86400, 255}, {"1e300", 86400, 255}, {"2,5", 2, 2},
        {"+7", 7, 7},    {",6", 1, 1},      {"1e-400", 1, 1},     {"08347E-0500188", 1, 1},
        {"-0.0000000000000000000000000000001e-300", 1, 1}, {"0.5e-99999999999999999999999", 1, 1},
    };
    for (const auto& [answer, pc, meter] : cases)
        EXPECT_EQ(std::tuple(PcSamplingAnswer(answer).kind, PcSamplingAnswer(answer).value, MeterIntervalAnswer(answer).value),
                  std::tuple(Kind::Value, pc, meter)) << answer;
    for (const char* empty : {"", "   "})
        EXPECT_EQ(PcSamplingAnswer(empty).kind, Kind::NoChange);
    for (const char* word : {"abc", "12s", "nan", "inf", "1,5.0", "1,5,0", "--1", "+-1", "1e999"})
        EXPECT_EQ(std::pair(PcSamplingAnswer(word).kind, MeterIntervalAnswer(word).kind), std::pair(Kind::NotANumber, Kind::NotANumber)) << word;
}

INSTANTIATE_TEST_SUITE_P(PointAndCommaLocales, UnderLocaleTest, ::testing::Values("C", "de_DE.UTF-8"));

TEST(SettingAnswersTest, AveragingTakesFourEightSixteenOrSwitchesOff)
{
    const std::vector<std::tuple<const char*, int, bool>> cases = {
        // answer, averaging number (2 is off), whether the answer is refused
        {"OFF", 2, false}, {"Off", 2, false}, {"off", 2, false}, {"4", 4, false},  {"8", 8, false},
        {"16.0", 16, false}, {"5", 2, true},  {"oFF", 2, true},  {"2", 2, true},   {"abc", 2, true}, {"8.5", 2, true},
    };
    for (const auto& [text, value, enterError] : cases)
        EXPECT_EQ(std::pair(AverageNumberAnswer(text).value, AverageNumberAnswer(text).enterError), std::pair(value, enterError)) << text;
    EXPECT_TRUE(AverageNumberAnswer("").noChange);
    EXPECT_EQ(std::pair(AverageDefaultText(2), AverageDefaultText(16)), std::pair(std::string("OFF"), std::string("16")));
}

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
