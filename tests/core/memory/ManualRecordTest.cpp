#include "memory/LoadingCaption.h"
#include "memory/ManualRecord.h"

#include "../link/ScriptedHidBackend.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string_view>

namespace voltaryn {
namespace {

enum Text { Stamp, Voltage, Resistance, Current, Temperature, InCapacity, OutCapacity, TotalCapacity };

constexpr std::size_t VoltageChars = 12, ResistanceChars = 16, CurrentChars = 20, TemperatureChars = 24,
                      InCapacityChars = 28, TotalCapacityChars = 36;

struct BitAt {
    int byte;
    int bit;
};

// A manual record reply with the characters and indicator bits a case names; all else is 0.
MeterLink::Report Record(std::size_t firstChar, std::string_view chars, std::initializer_list<BitAt> lit = {},
                         std::array<std::uint8_t, 4> stamp = {0x05, 0x14, 0x30, 0x00})
{
    MeterLink::Report reply{};
    for (char c : chars)
        reply[firstChar++] = static_cast<std::uint8_t>(c == '_' ? 0 : c);
    for (BitAt at : lit)
        reply[static_cast<std::size_t>(at.byte)] |= static_cast<std::uint8_t>(1 << at.bit);
    std::copy(stamp.begin(), stamp.end(), reply.begin() + 45);
    return reply;
}

struct DecodeCase {
    const char* name;
    MeterLink::Report reply;
    Text text;
    const char* expected;
};

TEST(ManualRecordDecode, PointsSignsUnitsAndTimeStamps)
{
    const DecodeCase cases[] = {
        {"point after 2nd", Record(VoltageChars, "1234", {{4, 2}}), Voltage, "12.34 (V)"},
        {"minus before the number and unit", Record(VoltageChars, "1234", {{4, 2}, {6, 6}}), Voltage, "-12.34 (V)"},
        {"millivolt", Record(VoltageChars, "0850", {{10, 7}}), Voltage, "0850 (mV)"},
        {"earliest point wins", Record(VoltageChars, "1234", {{4, 1}, {4, 3}}), Voltage, "1.234 (V)"},
        {"capacity: earliest point wins too", Record(InCapacityChars, "0950", {{5, 6}, {5, 7}}), InCapacity,
         "09.50 (Ah)"},
        {"milliohm, resistance has no minus", Record(ResistanceChars, "0400", {{4, 6}, {11, 0}, {6, 6}}), Resistance,
         "040.0 (mOhm)"},
        {"ohm", Record(ResistanceChars, " OL ", {}), Resistance, " OL  (Ohm)"},
        {"current point after 3rd spans bytes", Record(CurrentChars, "0523", {{5, 1}, {6, 7}}), Current, "-052.3 (A)"},
        {"current point after 1st", Record(CurrentChars, "2000", {{4, 7}}), Current, "2.000 (A)"},
        {"Celsius wins over Fahrenheit", Record(TemperatureChars, "0245", {{5, 4}, {7, 3}, {7, 4}}), Temperature,
         "024.5 (\u2103)"},
        {"Fahrenheit", Record(TemperatureChars, "0761", {{5, 4}, {7, 4}, {7, 0}}), Temperature, "-076.1 (\u2109)"},
        {"no temperature unit", Record(TemperatureChars, "0245", {{5, 4}}), Temperature, "024.5"},
        {"empty group gives only the unit", Record(TemperatureChars, "____", {{7, 3}}), Temperature, " (\u2103)"},
        {"empty group keeps its minus", Record(TotalCapacityChars, "____", {{7, 1}, {9, 2}}), TotalCapacity,
         "- (mAh)"},
        {"code 0 inside a group is left out", Record(VoltageChars, "1_34", {{4, 2}}), Voltage, "1.34 (V)"},
        {"mAh for every capacity", Record(TotalCapacityChars, "0123", {{9, 2}}), OutCapacity, " (mAh)"},
        {"Windows-1252 character", Record(VoltageChars, "\xB0", {}), Voltage, "\u00B0 (V)"},
        {"packed decimal", Record(VoltageChars, "", {}, {0x05, 0x14, 0x30, 0x00}), Stamp, "05-14:30:00"},
        {"last day, last second", Record(VoltageChars, "", {}, {0x31, 0x23, 0x59, 0x59}), Stamp, "31-23:59:59"},
        {"low half-byte above 9", Record(VoltageChars, "", {}, {0x5A, 0x14, 0x30, 0x00}), Stamp,
         "invalid time 5A-14:30:00"},
        {"high half-byte above 9", Record(VoltageChars, "", {}, {0x05, 0x14, 0x30, 0xA0}), Stamp,
         "invalid time 05-14:30:A0"},
    };
    for (const DecodeCase& c : cases)
        EXPECT_EQ(DecodeManualRecord(c.reply)[c.text], c.expected) << c.name;
}

TEST(ManualRecordDecode, EveryBitLitStaysWithinItsOwnField)
{
    MeterLink::Report reply{};
    std::fill(reply.begin() + 4, reply.begin() + 12, 0xFF);
    std::fill(reply.begin() + 12, reply.begin() + 45, '8');
    const ManualRecordTexts expected = {"00-00:00:00",     "-8.888 (mV)", "8.888 (mOhm)", "-8.888 (A)",
                                        "-8.888 (\u2103)", "8.888 (mAh)", "8.888 (mAh)",  "-8.888 (mAh)"};
    EXPECT_EQ(DecodeManualRecord(reply), expected);
}

TEST(ManualRecordDecode, ShortReplyReadsAsPaddedWithZeros)
{
    const std::uint8_t reply[] = {0, 0, 0, 0, 0x04, 0, 0, 0, 0, 0, 0, 0, '1', '2', '3', '4'};
    const ManualRecordTexts texts = DecodeManualRecord(reply);
    EXPECT_EQ(texts[Voltage], "12.34 (V)");
    EXPECT_EQ(texts[Stamp], "00-00:00:00");
}

TEST(ManualRecordRequest, NumberTravelsLowByteFirstInBytes3And4)
{
    testing::ScriptedHidBackend backend;
    backend.AddMeter("meter");
    MeterLink link(backend);
    for (int number : {300, 1, 32767})
        RequestManualRecord(link, number);
    using Bytes = std::vector<std::uint8_t>;
    const auto head = [](const Bytes& report) { return Bytes(report.begin(), report.begin() + 6); };
    ASSERT_EQ(backend.written.size(), 3u);
    EXPECT_EQ(head(backend.written[0]), (Bytes{0, 67, 4, 44, 1, 0}));
    EXPECT_EQ(head(backend.written[1]), (Bytes{0, 67, 4, 1, 0, 0}));
    EXPECT_EQ(head(backend.written[2]), (Bytes{0, 67, 4, 255, 127, 0}));
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
