#include "graphs/LiveGraph.h"
#include "program/ProgramState.h"

#include <gtest/gtest.h>

#include <vector>

namespace voltaryn {
namespace {

ChannelSwitches Only(ChannelSwitch channel)
{
    ChannelSwitches switches;
    switches[channel] = true;
    return switches;
}

// The plots a tick gives a point, by plot number.
std::vector<int> PlotsWithPoints(const LiveGraphTick& tick)
{
    std::vector<int> plots;
    for (std::size_t i = 0; i < HistoryChannelCount; ++i) {
        if (tick.Points[static_cast<HistoryChannel>(i)])
            plots.push_back(static_cast<int>(i) + 1);
    }
    return plots;
}

class LiveGraphTest : public testing::Test {
protected:
    LiveGraphTest()
    {
        reading.RangeText = "4 Ohm";
        reading.TempUnitText = "Celsius";
        reading.VoltageText = "1.5";
        reading.CurrentText = "2.5";
        reading.TemperatureText = "3.5";
        reading.ResistanceText = "4.5";
        reading.CapacityText = {"5.5", "6.5", "7.5"};
    }

    std::vector<double> Recorded(int count) const
    {
        std::vector<double> samples;
        for (std::size_t i = 0; i < HistoryChannelCount; ++i) {
            const auto channel = state.History.Read(static_cast<HistoryChannel>(i), count);
            samples.insert(samples.end(), channel.begin(), channel.end());
        }
        return samples;
    }

    GraphState state;
    MeterReading reading;
    LiveGraph graph{state, reading};
};

TEST_F(LiveGraphTest, StartTakesTheSettingsAndTheMetersRangeAndUnit)
{
    AxisLimits limits;
    limits[AxisChannel::Resistance] = {4.2f, 0};
    state.GraphSampleIndex = 17;
    EXPECT_FALSE(graph.Start(ChannelSwitches{}, limits));
    EXPECT_FALSE(state.RealTimeGraphActive);
    EXPECT_EQ(state.GraphSampleIndex, 17);

    ASSERT_TRUE(graph.Start(Only(ChannelSwitch::Current), limits));
    EXPECT_TRUE(state.RealTimeGraphActive);
    EXPECT_EQ(state.GraphSampleIndex, 0);
    EXPECT_EQ(state.GraphChannels, Only(ChannelSwitch::Current));
    EXPECT_EQ(state.GraphAxisLimits, limits);
    EXPECT_EQ(state.GraphOhmRange, "4 Ohm");
    EXPECT_EQ(state.GraphTempUnit, "Celsius");
}

TEST_F(LiveGraphTest, OnlySwitchedOnPlotsGetAPointButEveryChannelIsRecorded)
{
    const struct {
        ChannelSwitch channel;
        std::vector<int> plots;
    } cases[] = {
        {ChannelSwitch::Voltage, {1}},     {ChannelSwitch::Current, {2}},        {ChannelSwitch::Temperature, {3}},
        {ChannelSwitch::Resistance, {4}},  {ChannelSwitch::Capacity, {5, 6, 7}},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(graph.Start(Only(c.channel), AxisLimits{}));
        const LiveGraphTick tick = graph.Tick();
        EXPECT_FALSE(tick.Stopped);
        EXPECT_EQ(PlotsWithPoints(tick), c.plots);
        for (const int plot : c.plots)
            EXPECT_DOUBLE_EQ(*tick.Points[static_cast<HistoryChannel>(plot - 1)], plot + 0.5);
        EXPECT_EQ(Recorded(1), (std::vector<double>{1.5, 2.5, 3.5, 4.5, 5.5, 6.5, 7.5}));
        EXPECT_EQ(state.GraphSampleIndex, 1);
        graph.Close();
    }
}

TEST_F(LiveGraphTest, ARangeChangeOrACloseStopsTheNextTickAndKeepsTheHistory)
{
    for (const bool changeRange : {true, false}) {
        ASSERT_TRUE(graph.Start(Only(ChannelSwitch::Resistance), AxisLimits{}));
        graph.Tick();
        graph.Tick();
        if (changeRange)
            reading.RangeText = "40 Ohm";
        else
            graph.Close();
        const LiveGraphTick tick = graph.Tick();
        EXPECT_TRUE(tick.Stopped);
        EXPECT_TRUE(PlotsWithPoints(tick).empty());
        EXPECT_FALSE(state.RealTimeGraphActive);
        EXPECT_EQ(state.GraphSampleIndex, 0);
        EXPECT_EQ(state.History.Read(HistoryChannel::Resistance, 2)[1], 4.5);
        reading.RangeText = "4 Ohm";
    }
}

TEST_F(LiveGraphTest, TheIndexWrapsToZeroAfterAFullHistory)
{
    ASSERT_TRUE(graph.Start(Only(ChannelSwitch::Voltage), AxisLimits{}));
    for (int i = 0; i < GraphHistory::Capacity; ++i)
        graph.Tick();
    EXPECT_EQ(state.GraphSampleIndex, 0);
    EXPECT_EQ(state.History.Read(HistoryChannel::Voltage, GraphHistory::Capacity).back(), 1.5);

    reading.VoltageText = "9";
    graph.Tick();
    EXPECT_EQ(state.GraphSampleIndex, 1);
    EXPECT_EQ(state.History.Read(HistoryChannel::Voltage, 2)[0], 9);
    EXPECT_EQ(state.History.Read(HistoryChannel::Voltage, 2)[1], 1.5);
}

TEST(GraphHistory, RefusesStoresAndReadsOutsideItsBounds)
{
    GraphHistory history;
    GraphSamples samples;
    samples[HistoryChannel::TotalCapacity] = 1;
    EXPECT_FALSE(history.Store(-1, samples));
    EXPECT_FALSE(history.Store(GraphHistory::Capacity, samples));
    EXPECT_TRUE(history.Store(GraphHistory::Capacity - 1, samples));
    const auto all = history.Read(HistoryChannel::TotalCapacity, GraphHistory::Capacity);
    ASSERT_EQ(all.size(), std::size_t{GraphHistory::Capacity});
    EXPECT_EQ(all.front(), 0);
    EXPECT_EQ(all.back(), 1);
    EXPECT_TRUE(history.Read(HistoryChannel::TotalCapacity, GraphHistory::Capacity + 1).empty());
    EXPECT_TRUE(history.Read(HistoryChannel::TotalCapacity, -1).empty());
}

} // namespace
} // namespace voltaryn
