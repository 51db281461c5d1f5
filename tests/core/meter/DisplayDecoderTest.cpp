#include "meter/DisplayDecoder.h"

#include "common/CaseFile.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>

namespace voltaryn {
namespace {

std::string Flag(bool on) { return on ? "true" : "false"; }

const std::map<std::string, std::function<std::string(const MeterReading&)>> ReadingFields = {
    {"VoltageText", [](const MeterReading& r) { return r.VoltageText; }},
    {"ResistanceText", [](const MeterReading& r) { return r.ResistanceText; }},
    {"CurrentText", [](const MeterReading& r) { return r.CurrentText; }},
    {"TemperatureText", [](const MeterReading& r) { return r.TemperatureText; }},
    {"CapacityText0", [](const MeterReading& r) { return r.CapacityText[0]; }},
    {"CapacityText1", [](const MeterReading& r) { return r.CapacityText[1]; }},
    {"CapacityText2", [](const MeterReading& r) { return r.CapacityText[2]; }},
    {"CapMilli0", [](const MeterReading& r) { return Flag(r.CapMilli[0]); }},
    {"CapMilli2", [](const MeterReading& r) { return Flag(r.CapMilli[2]); }},
    {"CapAh", [](const MeterReading& r) { return Flag(r.CapAh); }},
    {"PercentText0", [](const MeterReading& r) { return r.PercentText[0]; }},
    {"PercentText1", [](const MeterReading& r) { return r.PercentText[1]; }},
    {"RecordNoText", [](const MeterReading& r) { return r.RecordNoText; }},
    {"HHText", [](const MeterReading& r) { return r.HHText; }},
    {"LLText", [](const MeterReading& r) { return r.LLText; }},
    {"TempUnitText", [](const MeterReading& r) { return r.TempUnitText; }},
    {"TempIsCelsius", [](const MeterReading& r) { return Flag(r.TempIsCelsius); }},
    {"AutoMemoryOn", [](const MeterReading& r) { return Flag(r.AutoMemoryOn); }},
    {"IntervalOn", [](const MeterReading& r) { return Flag(r.IntervalOn); }},
};

TEST(DisplayDecoderTest, DecodesEveryRecordedPacket)
{
    const std::vector<testing::TestCase> cases = testing::ReadCases("display");
    ASSERT_GE(cases.size(), 15u);
    for (const testing::TestCase& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_FALSE(c.texts.empty());
        MeterReading reading;
        DecodeDisplay(SplitDisplayPacket(c.bytes), reading);
        for (const auto& [field, value] : c.texts) {
            ASSERT_TRUE(ReadingFields.contains(field)) << field;
            EXPECT_EQ(ReadingFields.at(field)(reading), value) << field;
        }
    }
}

// The unit the reading keeps when a packet lights neither: the one last lit.
TEST(DisplayDecoderTest, TemperatureUnitIsKeptWhenNeitherUnitIsLit)
{
    MeterReading reading;
    for (const auto& [packet, celsius] : {std::pair{"temperature_sign", true}, {"empty_reply", true},
                                          {"fahrenheit_wins", false}, {"empty_reply", false}}) {
        const testing::TestCase c = testing::ReadCases(std::string("display/") + packet + ".hex").front();
        DecodeDisplay(SplitDisplayPacket(c.bytes), reading);
        EXPECT_EQ(reading.TempIsCelsius, celsius) << packet;
    }
    EXPECT_EQ(reading.TempUnitText, "");
}

} // namespace
} // namespace voltaryn
