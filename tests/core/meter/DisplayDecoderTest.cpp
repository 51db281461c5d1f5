#include "meter/DisplayDecoder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>

namespace voltaryn {
namespace {

namespace fs = std::filesystem;

// One case of tests/data/display: a display packet as hex, with the reading texts expected from it.
struct DisplayCase {
    std::string name;
    std::vector<std::uint8_t> packet;
    std::vector<std::pair<std::string, std::string>> expected;
};

std::string Unescape(const std::string& quoted)
{
    std::string text;
    for (std::size_t i = 1; i + 1 < quoted.size(); ++i) {
        if (quoted[i] == '\\' && quoted[i + 1] == '0') {
            text += '\0';
            ++i;
        } else {
            text += quoted[i];
        }
    }
    return text;
}

DisplayCase ReadCase(const fs::path& file)
{
    DisplayCase c{file.stem().string(), {}, {}};
    std::ifstream in(file);
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        if (line.starts_with("status:") || line.starts_with("chars:")) {
            std::istringstream hex(line.substr(line.find(':') + 1));
            unsigned byte = 0;
            while (hex >> std::hex >> byte)
                c.packet.push_back(static_cast<std::uint8_t>(byte));
        } else if (const auto eq = line.find(" = "); eq != std::string::npos) {
            c.expected.emplace_back(line.substr(0, eq), Unescape(line.substr(eq + 3)));
        }
    }
    return c;
}

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
    int cases = 0;
    for (const auto& entry : fs::directory_iterator(fs::path(VOLTARYN_TEST_DATA_DIR) / "display")) {
        const DisplayCase c = ReadCase(entry.path());
        SCOPED_TRACE(c.name);
        ASSERT_FALSE(c.expected.empty());
        MeterReading reading;
        DecodeDisplay(SplitDisplayPacket(c.packet), reading);
        for (const auto& [field, value] : c.expected) {
            ASSERT_TRUE(ReadingFields.contains(field)) << field;
            EXPECT_EQ(ReadingFields.at(field)(reading), value) << field;
        }
        ++cases;
    }
    EXPECT_GE(cases, 10);
}

std::vector<std::uint8_t> PacketWithStatus(int byte, int bit)
{
    std::vector<std::uint8_t> packet(DisplayPacket::MinimumLength, 0);
    packet[static_cast<std::size_t>(byte)] = static_cast<std::uint8_t>(1u << bit);
    return packet;
}

TEST(DisplayDecoderTest, TemperatureUnitIsKeptWhenNeitherUnitIsLit)
{
    MeterReading reading;
    DecodeDisplay(SplitDisplayPacket(PacketWithStatus(8, 2)), reading);
    ASSERT_FALSE(reading.TempIsCelsius);

    DecodeDisplay(SplitDisplayPacket(PacketWithStatus(8, 0)), reading);
    EXPECT_EQ(reading.TempUnitText, "");
    EXPECT_FALSE(reading.TempIsCelsius);

    DecodeDisplay(SplitDisplayPacket(PacketWithStatus(8, 1)), reading);
    EXPECT_EQ(reading.TempUnitText, "Celsius");
    EXPECT_TRUE(reading.TempIsCelsius);
}

TEST(DisplayDecoderTest, ShortOrEmptyRepliesReadAsZeroPadded)
{
    const std::vector<std::uint8_t> shortReply = {0, 0x04, 0, 0x40, 0, 0, 0, 0, 0, '1', '2'};
    const DisplayPacket packet = SplitDisplayPacket(shortReply);
    EXPECT_EQ(packet.DisplayChar(1), "1");
    EXPECT_EQ(packet.DisplayChar(3), std::string(1, '\0'));
    EXPECT_EQ(packet.DisplayChar(37), std::string(1, '\0'));

    MeterReading reading;
    const PanelDisplay panel = DecodeDisplay(SplitDisplayPacket({}), reading);
    EXPECT_EQ(panel.lit.Raw(), 0u);
    EXPECT_EQ(reading.VoltageText, "");
    EXPECT_EQ(reading.CapacityText[0], std::string(4, '\0'));
}

} // namespace
} // namespace voltaryn
