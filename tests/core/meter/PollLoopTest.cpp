#include "meter/PollLoop.h"

#include "../link/ScriptedHidBackend.h"
#include "common/CaseFile.h"

#include <gtest/gtest.h>

namespace voltaryn {
namespace {

using Bytes = std::vector<std::uint8_t>;

const Bytes Identification = {0, 'K', 'A', 'V', ' ', '7', '1', 'K'};
// A display packet with the voltage field showing "-12.34".
const Bytes Display = testing::ReadCases("display/negative_voltage.hex").front().bytes;

class PollLoopTest : public ::testing::Test, protected testing::ScriptedMeter {
protected:
    // Scripts the meter's three replies of one rotation and runs its three ticks.
    PollTickResult Rotation(const Bytes& ident, std::uint8_t range)
    {
        backend.Reply(ident);
        backend.Reply({0, range});
        backend.Reply(Display);
        loop.Tick();
        loop.Tick();
        return loop.Tick();
    }

    MeterReading reading;
    PollLoop loop{link, commands, reading};
};

TEST_F(PollLoopTest, EachTickSendsOneRequestInTurn)
{
    const PollTickResult display = Rotation(Identification, 3);
    EXPECT_EQ(backend.Heads(4), (std::vector<Bytes>{{0, 65, 0, 1}, {0, 65, 2, 4}, {0, 66, 0, 0}}));
    EXPECT_TRUE(display.displayDecoded && display.rangeChanged);
    EXPECT_EQ(std::tuple(reading.VoltageText, reading.RangeText, loop.ConnectionText(), loop.PollState()),
              std::tuple("-12.34", "400 mOhm", "Connection", PollLoop::IdentifyState));
}

TEST_F(PollLoopTest, ConnectionTextFollowsDetectionAndIdentification)
{
    EXPECT_EQ(loop.ConnectionText(), "No COM");

    // Found, but it has not answered yet: the tick fails and stays on identification.
    loop.Tick();
    EXPECT_EQ(std::pair(loop.PollState(), loop.ConnectionText()), std::pair(PollLoop::IdentifyState, std::string("Disconnected")));

    // Another device with the meter's ids: the display is still shown.
    EXPECT_TRUE(Rotation({0, 'K', 'A', 'V', ' ', '7', '2', 'K'}, 3).displayDecoded);
    EXPECT_EQ(std::tuple(loop.ConnectionText(), reading.VoltageText), std::tuple("Device Error!!!", "-12.34"));

    // Unplugged: the display tick decodes the previous reply again and says the meter is gone.
    backend.devices.clear();
    loop.Tick();
    loop.Tick();
    EXPECT_TRUE(loop.Tick().displayDecoded);
    EXPECT_EQ(std::tuple(loop.ConnectionText(), reading.MeterConnected, reading.VoltageText), std::tuple("Disconnected", false, "-12.34"));
}

TEST_F(PollLoopTest, RangeMarksChangeOnlyWhenTheRangeDoes)
{
    ASSERT_TRUE(Rotation(Identification, 6).rangeChanged);
    EXPECT_FALSE(Rotation(Identification, 6).rangeChanged);
    EXPECT_EQ(reading.RangeText, "400 Ohm");

    // The switch between ranges: no range mark, and the text keeps the last range.
    EXPECT_TRUE(Rotation(Identification, 0).rangeChanged);
    EXPECT_EQ(std::pair(reading.RangeText, reading.LastRangeCode), std::pair(std::string("400 Ohm"), std::int16_t{0}));
}

} // namespace
} // namespace voltaryn
