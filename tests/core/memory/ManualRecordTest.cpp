#include "memory/LoadingCaption.h"
#include "memory/ManualRecord.h"

#include "../link/ScriptedHidBackend.h"
#include "common/CaseFile.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace voltaryn {
namespace {

// The names the cases in tests/data/manual give the texts of a record, in list order.
const std::array<std::string, 8> TextNames = {"Stamp",       "Voltage",    "Resistance",  "Current",
                                              "Temperature", "InCapacity", "OutCapacity", "TotalCapacity"};

TEST(ManualRecordDecode, DecodesEveryRecordedReply)
{
    const std::vector<testing::TestCase> cases = testing::ReadCases("manual");
    ASSERT_GE(cases.size(), 9u);
    for (const testing::TestCase& c : cases) {
        const ManualRecordTexts texts = DecodeManualRecord(c.bytes);
        for (const auto& [name, text] : c.texts) {
            const auto index = std::find(TextNames.begin(), TextNames.end(), name) - TextNames.begin();
            ASSERT_LT(index, 8) << c.name << ": " << name;
            EXPECT_EQ(texts[static_cast<std::size_t>(index)], text) << c.name << ": " << name;
        }
    }
}

TEST(ManualRecordRequest, NumberTravelsLowByteFirstInBytes3And4)
{
    testing::ScriptedMeter meter;
    using Bytes = std::vector<std::uint8_t>;
    const std::vector<std::pair<int, Bytes>> cases = {
        {300, {0, 67, 4, 44, 1, 0}}, {1, {0, 67, 4, 1, 0, 0}}, {32767, {0, 67, 4, 255, 127, 0}}};
    for (const auto& [number, head] : cases) {
        RequestManualRecord(meter.link, number);
        EXPECT_EQ(Bytes(meter.backend.written.back().begin(), meter.backend.written.back().begin() + 6), head) << number;
    }
}

TEST(ManualLoadingCaption, PercentageWithTwoDecimals)
{
    EXPECT_EQ(LoadingCaption(1, 2), "Loading=> 50.00 %");
    EXPECT_EQ(LoadingCaption(1, 3), "Loading=> 33.33 %");
    EXPECT_EQ(LoadingCaption(2, 3), "Loading=> 66.67 %");
    EXPECT_EQ(LoadingCaption(1, 32767), "Loading=> 0.00 %");
    EXPECT_EQ(LoadingCaption(12, 12), "Loading=> 100.00 %");
}

} // namespace
} // namespace voltaryn
