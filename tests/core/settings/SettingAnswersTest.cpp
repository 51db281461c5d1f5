#include "settings/SettingAnswers.h"

#include <gtest/gtest.h>

#include <locale>
#include <stdexcept>

namespace voltaryn {
namespace {

using Kind = NumberAnswer::Kind;

// Runs a test under a global C and C++ locale, restoring the earlier one afterwards.
class UnderLocaleTest : public testing::TestWithParam<const char*> {
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
        {"+7", 7, 7},    {",6", 1, 1},
    };
    for (const auto& [answer, pc, meter] : cases) {
        EXPECT_EQ(PcSamplingAnswer(answer).value, pc) << answer;
        EXPECT_EQ(PcSamplingAnswer(answer).kind, Kind::Value) << answer;
        EXPECT_EQ(MeterIntervalAnswer(answer).value, meter) << answer;
    }
}

INSTANTIATE_TEST_SUITE_P(PointAndCommaLocales, UnderLocaleTest, testing::Values("C", "de_DE.UTF-8"));

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
    EXPECT_TRUE(AverageNumberAnswer("").noChange);
    for (const char* off : {"OFF", "Off", "off"}) {
        const AverageAnswer answer = AverageNumberAnswer(off);
        EXPECT_EQ(answer.value, 2) << off;
        EXPECT_FALSE(answer.enterError) << off;
    }
    for (const char* wrong : {"5", "oFF", "2", "abc", "8.5"}) {
        const AverageAnswer answer = AverageNumberAnswer(wrong);
        EXPECT_EQ(answer.value, 2) << wrong;
        EXPECT_TRUE(answer.enterError) << wrong;
    }
    EXPECT_EQ(AverageNumberAnswer("8").value, 8);
    EXPECT_EQ(AverageNumberAnswer("16.0").value, 16);
    EXPECT_FALSE(AverageNumberAnswer("4").enterError);
    EXPECT_EQ(AverageDefaultText(2), "OFF");
    EXPECT_EQ(AverageDefaultText(16), "16");
}

} // namespace
} // namespace voltaryn
