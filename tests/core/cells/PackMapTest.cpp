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
    const std::tuple<std::size_t, std::size_t, const char*, double> cells[] = {  // group, place, cell, deviation
        {0, 0, "a", 0}, {0, 1, "b", 1.0 / 30}, {1, 0, "c", -1.0 / 30}, {1, 1, "d", 0}};
    for (const auto& [group, place, id, deviation] : cells) {
        EXPECT_EQ(map.groups[group].cells[place].id, id);
        EXPECT_NEAR(map.groups[group].cells[place].deviation, deviation, 1e-12) << id;
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

} // namespace
} // namespace voltaryn::cells
