#include "cells/CellReplacement.h"
#include "core/cells/PackTestCells.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace voltaryn::cells {
namespace {

std::size_t IndexOf(const std::vector<PackCell>& cells, const std::string& id)
{
    return static_cast<std::size_t>(std::find_if(cells.begin(), cells.end(), [&](const PackCell& c) { return c.id == id; }) -
                                     cells.begin());
}

// Every spare tried by hand in the failed cell's place: the replacement is the cheapest, the rest
// of the pack stays, and the changes are those between the two packs.
TEST(CellReplacement, PicksTheSpareThatCostsLeast)
{
    const auto cells = TestCells(16, 9);
    for (const PackObjective objective : {PackObjective::Capacity, PackObjective::Balanced}) {
        const PackRequest request{3, 3, {}, objective, {}};
        const Pack pack = *BuildPack(cells, request, MovesOnly(100'000)).pack;
        const std::string failed = pack.groups[1].cellIds[2];
        PackLayout layout;
        for (const PackGroup& group : pack.groups) {
            auto& members = layout.emplace_back();
            for (const std::string& id : group.cellIds)
                members.push_back(IndexOf(cells, id));
        }
        double cheapest = 1e300;
        for (const std::string& spare : pack.unusedIds) {
            layout[1][2] = IndexOf(cells, spare);
            cheapest = std::min(cheapest, DescribePack(cells, request, layout).cost);
        }

        const ReplacementOutcome outcome = ReplaceCell(cells, request, pack, failed);
        ASSERT_TRUE(outcome.replacement) << outcome.error;
        const CellReplacement& replaced = *outcome.replacement;
        EXPECT_DOUBLE_EQ(replaced.pack.cost, cheapest);
        EXPECT_DOUBLE_EQ(replaced.costChange, cheapest - pack.cost);
        EXPECT_DOUBLE_EQ(replaced.capacitySpreadChange, replaced.pack.capacitySpread - pack.capacitySpread);
        EXPECT_DOUBLE_EQ(replaced.resistanceSpreadChange, replaced.pack.resistanceSpread - pack.resistanceSpread);
        EXPECT_EQ(replaced.pack.groups[0].cellIds, pack.groups[0].cellIds);
        EXPECT_EQ(replaced.pack.groups[2].cellIds, pack.groups[2].cellIds);
        const auto& group = replaced.pack.groups[1].cellIds;
        EXPECT_EQ(std::count(group.begin(), group.end(), replaced.spareId), 1);
        EXPECT_EQ(std::count(group.begin(), group.end(), failed), 0);
        EXPECT_EQ(replaced.pack.unusedIds.size(), pack.unusedIds.size() - 1);
        EXPECT_EQ(std::count(replaced.pack.unusedIds.begin(), replaced.pack.unusedIds.end(), replaced.spareId), 0);
        EXPECT_EQ(std::count(replaced.pack.unusedIds.begin(), replaced.pack.unusedIds.end(), failed), 0);
    }
}

TEST(CellReplacement, ErrorsSayWhatIsWrong)
{
    const auto cells = TestCells(10, 2);
    const PackRequest request{3, 3, {}, PackObjective::Balanced, {}};
    const Pack pack = *BuildPack(cells, request, MovesOnly(10'000)).pack;
    Pack noSpare = pack;
    noSpare.unusedIds.clear();
    const std::tuple<const Pack&, std::string, std::string> cases[] = {  // pack, failed cell, error
        {pack, "nope", "cell \"nope\" is not in the pack"},
        {pack, pack.unusedIds.front(), "cell \"" + pack.unusedIds.front() + "\" is not in the pack"},
        {noSpare, pack.groups[0].cellIds[0], "no spare cell is left"},
    };
    for (const auto& [from, failed, error] : cases)
        EXPECT_EQ(ReplaceCell(cells, request, from, failed).error, error) << failed;

    // The one spare is charged: it fits no group of cells from 3.50 to 3.59 V.
    auto charged = cells;
    charged[4].voltage = 4.1;
    const PackRequest within{3, 3, {}, PackObjective::Balanced, {}, 0.05};
    const Pack kept = *BuildPack(charged, within, MovesOnly(10'000)).pack;
    ASSERT_EQ(kept.unusedIds, std::vector<std::string>{"C4"});
    EXPECT_EQ(ReplaceCell(charged, within, kept, kept.groups[0].cellIds[0]).error,
              "no spare cell keeps the failed cell's group within the voltage spread");
}

} // namespace
} // namespace voltaryn::cells
