#include "cells/PackBuilder.h"
#include "cells/PackMap.h"
#include "cells/PackSearch.h"

#include <gtest/gtest.h>

namespace voltaryn::cells {
namespace {

TEST(PackMap, GroupsSumTheirCellsAndCellsKnowTheirDeviation)
{
    const PackMap map = MapGroups({{{"a", 3000, 20, 3.6, "A"}, {"b", 3100, 20, 3.6, "A"}}, {{"c", 2900, 10, 3.6, "A"}, {"d", 3000, 40, 3.6, "A"}}});
    ASSERT_EQ(map.groups.size(), 2u);
    EXPECT_EQ(map.parallel, 2);
    EXPECT_DOUBLE_EQ(map.meanCapacity, 3000);
    const struct {
        std::size_t group;
        std::size_t place;
        const char* id;
        double deviation;
    } cells[] = {{0, 0, "a", 0}, {0, 1, "b", 1.0 / 30}, {1, 0, "c", -1.0 / 30}, {1, 1, "d", 0}};
    for (const auto& c : cells) {
        EXPECT_EQ(map.groups[c.group].cells[c.place].id, c.id);
        EXPECT_NEAR(map.groups[c.group].cells[c.place].deviation, c.deviation, 1e-12) << c.id;
    }
    EXPECT_NEAR(map.largestDeviation, 1.0 / 30, 1e-12);
    EXPECT_DOUBLE_EQ(map.groups[0].capacity, 6100);
    EXPECT_DOUBLE_EQ(map.groups[0].resistance, 10);
    EXPECT_DOUBLE_EQ(map.groups[1].resistance, 8);
    EXPECT_DOUBLE_EQ(map.capacitySpread, 200);
    EXPECT_DOUBLE_EQ(map.resistanceSpread, 2);
    EXPECT_EQ(PackMapCsv(map), "\xEF\xBB\xBFgroup,position,cell,capacity_mah,resistance_mohm\r\n"
                               "1,1,a,3000,20\r\n1,2,b,3100,20\r\n2,1,c,2900,10\r\n2,2,d,3000,40\r\n");
}

// The search reports its progress on the clock and stops when told to; what it found so far is a
// whole pack.
TEST(PackSearchProgress, ReportsTheBudgetSpentAndStopsWhenAsked)
{
    std::vector<PackCell> cells;
    for (int i = 0; i < 60; ++i)
        cells.push_back({"c" + std::to_string(i), 2900.0 + (i * 37) % 200, 15.0 + i % 9, 3.6, "A"});
    auto now = std::chrono::steady_clock::time_point{};
    std::vector<double> reported;
    PackSearchOptions options;
    options.timeBudget = std::chrono::milliseconds(1000);
    options.now = [&now] { return now += std::chrono::milliseconds(1); };
    options.progress = [&reported](double spent) {
        reported.push_back(spent);
        return reported.size() < 3;
    };
    PackRequest request;
    request.series = 6;
    request.parallel = 4;
    const PackOutcome outcome = BuildPack(cells, request, options);
    ASSERT_TRUE(outcome.pack) << outcome.error;
    EXPECT_EQ(outcome.pack->groups.size(), 6u);
    ASSERT_EQ(reported.size(), 3u) << "no further call after the search was told to stop";
    for (std::size_t i = 0; i < reported.size(); ++i) {
        EXPECT_GT(reported[i], 0.0);
        EXPECT_LT(reported[i], 1.0);
        if (i > 0) {
            EXPECT_GE(reported[i] - reported[i - 1], 0.05 - 1e-9) << "about every 50 ms of the budget";
        }
    }
}

} // namespace
} // namespace voltaryn::cells
