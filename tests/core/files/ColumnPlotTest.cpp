#include "files/ColumnPlot.h"

#include <gmock/gmock.h>

namespace voltaryn {
namespace {

TEST(ColumnPlot, ParametersFollowTheColumnItsTitleAndItsFirstRecord)
{
    // The column, its title, its first record (empty: a file without records), the plot.
    const std::tuple<std::size_t, const char*, const char*, std::optional<PlotParameters>> cases[] = {
        {0, "No.s", "000001", std::nullopt}, {1, "Time", "10:00:00", std::nullopt},
        {3, "40 mOhm", "12.34", PlotParameters{"40 mOhm", 42, 0, 2}},
        {5, "Celsius", "25.0", PlotParameters{"Celsius", 65, -25, 2}},
        {5, "Fahrenheit", "77.0", PlotParameters{"Fahrenheit", 149, -13, 2}},
        {6, "In-Cap", "1.234(Ah)", PlotParameters{"In-Cap", 9.999, -9.999, 2}},
        {7, "Out-Cap", "12.34", PlotParameters{"Out-Cap", 99.99, -99.99, 2}},
        {8, "T-Cap", "123.4", PlotParameters{"T-Cap", 999.9, -999.9, 2}},
        {8, "T-Cap", "1234", PlotParameters{"T-Cap", 999.9, -999.9, 2}},
        {6, "In-Cap", "", PlotParameters{"In-Cap", 9999, -9999, 0}},
    };
    for (const auto& [column, title, first, plot] : cases) {
        RecordTable table{RecordRow(9), {}};
        table.header[column] = title;
        if (*first != '\0')
            table.rows = {RecordRow(9, first), RecordRow(9, "5.0")};
        EXPECT_EQ(ColumnPlotParameters(table, column), plot) << "column " << column << ", " << first;
    }
}

TEST(ColumnPlot, CellsGiveTheirLeadingNumberAndCapacitiesInMilliampHoursGoToAmpHours)
{
    const std::tuple<const char*, std::size_t, double> cases[] = {
        {"12.5(mAh)", 6, 0.0125}, {"12.5(mAh)", 2, 12.5}, {"12.34(m)", 3, 12.34}, {"-1.5*", 4, -1.5},
        {"-OL", 2, 0},            {"OL", 6, 0},           {"--", 4, 0},           {"abc", 2, 0},
    };
    for (const auto& [cell, column, value] : cases)
        EXPECT_DOUBLE_EQ(PlottedValue(cell, column), value) << cell << " in column " << column;
}

TEST(ColumnPlot, ReaderKeepsRecordRAtXRAndTheRunsOfPausedRecords)
{
    const std::pair<std::vector<const char*>, std::vector<PauseRun>> cases[] = {
        {{"1", "2*", "3*", "4", "5*"}, {{2, 4}, {5, std::nullopt}}},
        {{"1*", "2", "3*", "4"}, {{1, 2}, {3, 4}}},
        {{"OL*", "--*", "1*", "-OL", "--", "2*", "3"}, {{3, 7}}},  // overloads and blanks are not looked at
    };
    for (const auto& [cells, runs] : cases) {
        ColumnReader reader(2);
        for (const char* cell : cells)
            reader.Add(cell);
        EXPECT_THAT(reader.Runs(), ::testing::ElementsAreArray(runs)) << cells.size() << " cells";
        EXPECT_EQ(reader.Keys().back(), static_cast<double>(cells.size()));
    }
    ColumnReader capacity(7);
    capacity.Add("250(mAh)");
    capacity.Add("OL");
    EXPECT_THAT(capacity.Values(), ::testing::ElementsAre(0.25, 0));
}

} // namespace
} // namespace voltaryn
