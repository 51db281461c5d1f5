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

TEST_P(UnderLocaleTest, SamplingIntervalsTakeAPointOrACommaAndAreRoundedHalfToEvenAndClamped)
{
    const std::vector<std::tuple<const char*, int, int>> cases = {
        // answer, PC interval, meter interval
        {"0.4", 1, 1},   {"2.5", 2, 2},     {"3,5", 4, 4},        {"100000", 86400, 255},
        {"0", 1, 1},     {" 17 ", 17, 17},  {"-5", 1, 1},         {"255.5", 256, 255},
        {"1e3", 1000, 255}, {"86400", 86400, 255}, {"1e300", 86400, 255}, {"2,5", 2, 2},
        {"+7", 7, 7},    {",6", 1, 1},      {"1e-400", 1, 1},     {"08347E-0500188", 1, 1},
        {"-0.0000000000000000000000000000001e-300", 1, 1}, {"0.5e-99999999999999999999999", 1, 1},
    };
    for (const auto& [answer, pc, meter] : cases) {
        EXPECT_EQ(PcSamplingAnswer(answer).value, pc) << answer;
        EXPECT_EQ(PcSamplingAnswer(answer).kind, Kind::Value) << answer;
        EXPECT_EQ(MeterIntervalAnswer(answer).value, meter) << answer;
    }
}

INSTANTIATE_TEST_SUITE_P(PointAndCommaLocales, UnderLocaleTest, ::testing::Values("C", "de_DE.UTF-8"));

TEST(SettingAnswersTest, EmptyMeansNoChangeAndWordsAreRefused)
{
    for (const char* empty : {"", "   "})
        EXPECT_EQ(PcSamplingAnswer(empty).kind, Kind::NoChange);
    for (const char* word : {"abc", "12s", "nan", "inf", "1,5.0", "1,5,0", "--1", "+-1", "1e999"}) {
        EXPECT_EQ(PcSamplingAnswer(word).kind, Kind::NotANumber) << word;
        EXPECT_EQ(MeterIntervalAnswer(word).kind, Kind::NotANumber) << word;
    }
}

TEST(SettingAnswersTest, AveragingTakesFourEightSixteenOrSwitchesOff)
{
    const std::vector<std::tuple<const char*, int, bool>> cases = {
        // answer, averaging number (2 is off), whether the answer is refused
        {"OFF", 2, false}, {"Off", 2, false}, {"off", 2, false}, {"4", 4, false},  {"8", 8, false},
        {"16.0", 16, false}, {"5", 2, true},  {"oFF", 2, true},  {"2", 2, true},   {"abc", 2, true}, {"8.5", 2, true},
    };
    for (const auto& [text, value, enterError] : cases) {
        const AverageAnswer answer = AverageNumberAnswer(text);
        EXPECT_EQ(answer.value, value) << text;
        EXPECT_EQ(answer.enterError, enterError) << text;
    }
    EXPECT_TRUE(AverageNumberAnswer("").noChange);
    EXPECT_EQ(AverageDefaultText(2), "OFF");
    EXPECT_EQ(AverageDefaultText(16), "16");
}

} // namespace
} // namespace voltaryn
