#include "graphs/DetailGraph.h"
#include "graphs/DisplaySamples.h"
#include "graphs/LiveGraph.h"
#include "graphs/GraphSettings.h"
#include "graphs/GraphState.h"
#include "meter/MeterReading.h"
#include "meter/RangeTexts.h"

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

class LiveGraphTest : public ::testing::Test {
protected:
    LiveGraphTest()
    {
        reading.VoltageText = "1.5";
        reading.CurrentText = "2.5";
        reading.TemperatureText = "3.5";
        reading.ResistanceText = "4.5";
        reading.CapacityText = {"5.5", "6.5", "7.5"};
        reading.TempUnitText = "Celsius";
        reading.RangeText = "4 Ohm";
    }

    // The plot numbers given a point, and the sample each of them got.
    static std::vector<std::pair<int, double>> Points(const LiveGraphTick& tick)
    {
        std::vector<std::pair<int, double>> points;
        for (std::size_t i = 0; i < HistoryChannelCount; ++i) {
            if (const auto point = tick.Points.values[i])
                points.emplace_back(static_cast<int>(i) + 1, *point);
        }
        return points;
    }

    // Sample index of every history channel, in history order.
    std::vector<double> Recorded(int index) const
    {
        std::vector<double> samples;
        for (std::size_t i = 0; i < HistoryChannelCount; ++i)
            samples.push_back(state.History.Read(static_cast<HistoryChannel>(i), index + 1)[index]);
        return samples;
    }

    GraphState state;
    MeterReading reading;
    LiveGraph graph{state, reading};
};

TEST_F(LiveGraphTest, StartNeedsAChannelAndTakesTheMetersRangeAndUnit)
{
    state.GraphSampleIndex = 17;
    EXPECT_FALSE(graph.Start(ChannelSwitches{}, AxisLimits{}));
    EXPECT_EQ(std::pair(graph.Running(), state.GraphSampleIndex), std::pair(false, 17));

    ASSERT_TRUE(graph.Start(Only(ChannelSwitch::Current), AxisLimits{}));
    EXPECT_EQ(std::tuple(graph.Running(), state.GraphSampleIndex, state.GraphOhmRange, state.GraphTempUnit),
              std::tuple(true, 0, "4 Ohm", "Celsius"));
}

TEST_F(LiveGraphTest, OnlySwitchedOnPlotsGetAPointButEveryChannelIsRecorded)
{
    using Expected = std::vector<std::pair<int, double>>;
    const std::pair<ChannelSwitch, Expected> cases[] = {
        {ChannelSwitch::Voltage, {{1, 1.5}}},     {ChannelSwitch::Current, {{2, 2.5}}},
        {ChannelSwitch::Temperature, {{3, 3.5}}}, {ChannelSwitch::Resistance, {{4, 4.5}}},
        {ChannelSwitch::Capacity, {{5, 5.5}, {6, 6.5}, {7, 7.5}}},
    };
    for (const auto& [channel, points] : cases) {
        state.History = GraphHistory();
        ASSERT_TRUE(graph.Start(Only(channel), AxisLimits{}));
        const LiveGraphTick tick = graph.Tick();
        EXPECT_FALSE(tick.Stopped);
        EXPECT_EQ(Points(tick), points);
        EXPECT_EQ(Recorded(0), (std::vector<double>{1.5, 2.5, 3.5, 4.5, 5.5, 6.5, 7.5}));
        EXPECT_EQ(state.GraphSampleIndex, 1);
    }
}

TEST_F(LiveGraphTest, ARangeChangeOrACloseStopsTheNextTickAndKeepsTheHistory)
{
    for (const bool changeRange : {true, false}) {
        reading.RangeText = "4 Ohm";
        ASSERT_TRUE(graph.Start(Only(ChannelSwitch::Resistance), AxisLimits{}));
        graph.Tick();
        if (changeRange)
            reading.RangeText = "40 Ohm";
        else
            graph.Close();
        const LiveGraphTick tick = graph.Tick();
        EXPECT_EQ(std::tuple(tick.Stopped, Points(tick).size(), graph.Running(), state.GraphSampleIndex, Recorded(0)[3]),
                  std::tuple(true, 0u, false, 0, 4.5)) << (changeRange ? "range change" : "close");
    }
}

TEST_F(LiveGraphTest, AfterAFullHistoryTheNextSampleGoesToIndexZero)
{
    ASSERT_TRUE(graph.Start(Only(ChannelSwitch::Voltage), AxisLimits{}));
    for (int i = 0; i < GraphHistory::Capacity; ++i)
        graph.Tick();
    EXPECT_EQ(state.GraphSampleIndex, 0);
    reading.VoltageText = "9";
    graph.Tick();
    EXPECT_EQ(std::tuple(state.GraphSampleIndex, Recorded(0)[0], Recorded(GraphHistory::Capacity - 1)[0]), std::tuple(1, 9.0, 1.5));
}

TEST_F(LiveGraphTest, TheDetailGraphGetsTheRecordedSamplesOfItsChannelsOnly)
{
    AxisLimits limits;
    limits[AxisChannel::Capacity] = {9, -9};
    ASSERT_TRUE(graph.Start(Only(ChannelSwitch::Voltage), AxisLimits{}));
    EXPECT_FALSE(PrepareDetailGraph(state, Only(ChannelSwitch::Capacity), limits)) << "nothing recorded yet";
    for (int i = 0; i < 120; ++i)
        graph.Tick();
    EXPECT_FALSE(PrepareDetailGraph(state, ChannelSwitches{}, limits)) << "no channel chosen";
    EXPECT_EQ(state.DetailAxisLimits, AxisLimits{});

    const auto detail = PrepareDetailGraph(state, Only(ChannelSwitch::Capacity), limits);
    ASSERT_TRUE(detail);
    EXPECT_EQ(detail->Count, 120);
    EXPECT_TRUE(detail->Series[HistoryChannel::Voltage].empty()) << "charted live, but not chosen";
    ASSERT_EQ(detail->Series[HistoryChannel::OutCapacity].size(), 120U);
    EXPECT_EQ(detail->Series[HistoryChannel::OutCapacity][119], 6.5);
    EXPECT_EQ(std::tuple(state.DetailChannels, state.DetailAxisLimits), std::tuple(Only(ChannelSwitch::Capacity), limits));
}

TEST(GraphHistory, RefusesStoresAndReadsOutsideItsBounds)
{
    GraphHistory history;
    const GraphSamples samples = {{1, 2, 3, 4, 5, 6, 7}};
    EXPECT_FALSE(history.Store(-1, samples));
    EXPECT_FALSE(history.Store(GraphHistory::Capacity, samples));
    EXPECT_TRUE(history.Store(GraphHistory::Capacity - 1, samples));
    const auto all = history.Read(HistoryChannel::TotalCapacity, GraphHistory::Capacity);
    ASSERT_EQ(all.size(), std::size_t{GraphHistory::Capacity});
    EXPECT_EQ(all.back(), 7);
    EXPECT_TRUE(history.Read(HistoryChannel::TotalCapacity, GraphHistory::Capacity + 1).empty());
    EXPECT_TRUE(history.Read(HistoryChannel::TotalCapacity, -1).empty());
}

TEST(GraphSettings, TemperatureAxisFollowsTheUnitAndResistanceAxisAndFieldsFollowTheRange)
{
    EXPECT_EQ(DefaultAxisLimits(true, "")[AxisChannel::Temperature], (AxisRange{65, -25}));
    EXPECT_EQ(DefaultAxisLimits(false, "")[AxisChannel::Temperature], (AxisRange{149, -13}));
    // By range code 1..6, then no range.
    const float maxima[] = {4.2f, 42, 420, 4.2f, 42, 420, 4.2f};
    const FieldFormat formats[] = {
        {0.001, "0.000"}, {0.01, "0.00"}, {0.1, "0.0"}, {0.001, "0.000"}, {0.01, "0.00"}, {0.1, "0.0"}, {0.1, "0.0"}};
    for (std::size_t i = 0; i <= RangeTexts.size(); ++i) {
        const std::string_view range = i < RangeTexts.size() ? RangeTexts[i] : "";
        EXPECT_EQ(DefaultAxisLimits(true, range)[AxisChannel::Resistance], (AxisRange{maxima[i], 0})) << range;
        EXPECT_EQ(ResistanceFieldFormat(range), formats[i]) << range;
    }
}

TEST(DisplaySamples, LeadingNumberReadsOnlyTheNumberATextStartsWith)
{
    const std::pair<const char*, double> cases[] = {
        {"-0.5", -0.5}, {"+3", 3}, {"  12", 12}, {"4 Ohm", 4}, {"1.2.3", 1.2}, {".5", 0.5}, {"1e5", 1},
        {"", 0},        {"-", 0},  {".", 0},     {"nan", 0},   {"OL", 0},      {"- 5", 0},
    };
    for (const auto& [text, number] : cases)
        EXPECT_DOUBLE_EQ(LeadingNumber(text), number) << '"' << text << '"';
}

// Every display field shows the same text; the samples are in history order: voltage, current,
// temperature, resistance, in-, out- and total capacity.
TEST(DisplaySamples, OverloadsBecomeTheirChannelsSubstitutesAndMilliampHoursAmpHours)
{
    // The text of every field, the range, the temperature unit, which capacity rows show mAh, the samples.
    const std::tuple<const char*, const char*, const char*, std::array<bool, 3>, std::array<double, HistoryChannelCount>>
        cases[] = {
        {"OL", "40 mOhm", "Celsius", {true, true, true}, {60, 600, 60, 40, 9999, 9999, 9999}},
        {"-OL", "40 mOhm", "Celsius", {}, {-60, 600, -20, 40, -9999, -9999, -9999}},
        {"OL", "4 Ohm", "Fahrenheih", {}, {60, 600, 140, 4, 9999, 9999, 9999}},
        {"-OL", "400 mOhm", "", {}, {-60, 600, -4, 400, -9999, -9999, -9999}},
        {"1234.5", "4 Ohm", "Celsius", {true, false, true}, {1234.5, 1234.5, 1234.5, 1234.5, 1.2345, 1234.5, 1.2345}},
        {"-1.5", "4 Ohm", "Celsius", {}, {-1.5, -1.5, -1.5, -1.5, -1.5, -1.5, -1.5}},
        {"ol", "4 Ohm", "Celsius", {}, {}}, {"", "4 Ohm", "Celsius", {}, {}},
    };
    for (const auto& [text, ohmRange, tempUnit, milli, expected] : cases) {
        MeterReading reading;
        reading.VoltageText = reading.CurrentText = reading.TemperatureText = reading.ResistanceText = text;
        reading.CapacityText = {text, text, text};
        reading.CapMilli = milli;
        const GraphSamples samples = SamplesFromDisplay(reading, ohmRange, tempUnit);
        for (std::size_t i = 0; i < HistoryChannelCount; ++i)
            EXPECT_DOUBLE_EQ(samples.values[i], expected[i]) << text << " in " << ohmRange << ", sample " << i;
    }
}

} // namespace
} // namespace voltaryn
