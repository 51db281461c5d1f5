// Packs built of a batch of cells, their maps, and a failed cell's replacement.
#include "cells/CellReplacement.h"
#include "cells/PackBuilder.h"
#include "cells/PackCost.h"
#include "cells/PackMap.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <functional>
#include <set>

namespace voltaryn::cells {
namespace {

// `count` cells with capacities around 3000 mAh and resistances around 20 mOhm from a fixed
// pseudo-random sequence, whole milliampere-hours when `wholeCapacities`, and voltages from 3.50
// to 3.60 V, a hundredth apart in turn.
std::vector<PackCell> TestCells(std::size_t count, std::uint32_t seed, bool wholeCapacities = false)
{
    std::uint32_t state = seed * 2654435761u + 1;
    auto next = [&state] {
        state = state * 1664525u + 1013904223u;
        return static_cast<double>(state >> 8) / static_cast<double>(1u << 24);
    };
    std::vector<PackCell> cells;
    for (std::size_t i = 0; i < count; ++i) {
        double capacity = 2850 + 300 * next();
        if (wholeCapacities)
            capacity = static_cast<double>(static_cast<int>(capacity));
        const double voltage = 3.5 + 0.01 * static_cast<double>(i % 11);
        cells.push_back({"C" + std::to_string(i), capacity, 15 + 10 * next(), voltage, i % 5 == 4 ? "B" : "A"});
    }
    return cells;
}

// A search bounded by moves alone: the clock stands still.
PackSearchOptions MovesOnly(std::uint64_t moves, std::uint64_t seed = 1)
{
    PackSearchOptions options;
    options.seed = seed;
    options.maxMoves = moves;
    options.now = [] { return std::chrono::steady_clock::time_point{}; };
    return options;
}

std::size_t IndexOf(const std::vector<PackCell>& cells, const std::string& id)
{
    return static_cast<std::size_t>(std::ranges::find(cells, id, &PackCell::id) - cells.begin());
}

// S groups of P distinct eligible cells within the voltage spread, the rest of the eligible cells
// unused, and the figures of the groups as the cells add up.
void ExpectWellFormed(const std::vector<PackCell>& cells, const PackRequest& request, const Pack& pack)
{
    ASSERT_EQ(pack.groups.size(), static_cast<std::size_t>(request.series));
    std::multiset<std::string> seen(pack.unusedIds.begin(), pack.unusedIds.end());
    double low = 1e300;
    double high = 0;
    for (const PackGroup& group : pack.groups) {
        ASSERT_EQ(group.cellIds.size(), static_cast<std::size_t>(request.parallel));
        double capacity = 0;
        double conductance = 0;
        double lowVoltage = 1e300;
        double highVoltage = -1e300;
        for (const std::string& id : group.cellIds) {
            seen.insert(id);
            const PackCell& cell = cells[IndexOf(cells, id)];
            capacity += cell.capacity;
            conductance += 1 / cell.resistance;
            lowVoltage = std::min(lowVoltage, cell.voltage);
            highVoltage = std::max(highVoltage, cell.voltage);
        }
        if (request.maxGroupVoltageSpread) {
            EXPECT_LE(highVoltage - lowVoltage, *request.maxGroupVoltageSpread + 1e-6);
        }
        EXPECT_NEAR(group.capacity, capacity, 1e-6);
        EXPECT_NEAR(group.resistance, 1 / conductance, 1e-9);
        low = std::min(low, capacity);
        high = std::max(high, capacity);
    }
    EXPECT_NEAR(pack.capacitySpread, high - low, 1e-6);
    std::multiset<std::string> eligible;
    for (const std::size_t i : FindEligibleCells(cells, request).indices)
        eligible.insert(cells[i].id);
    EXPECT_EQ(seen, eligible);
}

// The IDs of each group, then of the unused cells.
std::vector<std::vector<std::string>> Layout(const Pack& pack)
{
    std::vector<std::vector<std::string>> ids;
    for (const PackGroup& group : pack.groups)
        ids.push_back(group.cellIds);
    ids.push_back(pack.unusedIds);
    return ids;
}

// The lowest cost over every way to deal the eligible cells into S unordered groups of P within
// the voltage spread, and a layout that has it. The groups' totals follow the deal, so each whole deal is priced from them
// as DescribePack prices a layout, without building a pack for each.
std::pair<double, PackLayout> BruteForceOptimum(const std::vector<PackCell>& cells, const PackRequest& request)
{
    const EligibleCells eligible = FindEligibleCells(cells, request);
    const PackCost cost(request, eligible.meanCapacity, eligible.meanResistance);
    const auto series = static_cast<std::size_t>(request.series);
    const auto parallel = static_cast<std::size_t>(request.parallel);
    PackLayout layout(series);
    std::vector<GroupTotals> totals(series);
    std::pair<double, PackLayout> best{1e300, {}};
    std::size_t spares = eligible.indices.size() - series * parallel;
    std::function<void(std::size_t)> deal = [&](std::size_t next) {
        if (next == eligible.indices.size()) {
            if (!std::all_of(layout.begin(), layout.end(), [&](const auto& group) { return GroupFits(cells, group, request); }))
                return;
            std::vector<double> capacities, resistances;
            double inside = 0;
            for (const GroupTotals& group : totals) {
                capacities.push_back(group.capacity);
                resistances.push_back(1 / group.conductance);
                inside += cost.Inside(group);
            }
            const auto spread = [](const std::vector<double>& v) { return *std::ranges::max_element(v) - *std::ranges::min_element(v); };
            const double price = cost.Cost(spread(capacities), spread(resistances), inside);
            if (price < best.first)
                best = {price, layout};
            return;
        }
        if (spares > 0) {
            --spares;
            deal(next + 1);
            ++spares;
        }
        const std::size_t cell = eligible.indices[next];
        for (std::size_t g = 0; g < series; ++g) {
            if (layout[g].size() < parallel) {
                const GroupTotals before = totals[g];
                totals[g].Add(cost.Figures(cells[cell]));
                layout[g].push_back(cell);
                deal(next + 1);
                layout[g].pop_back();
                totals[g] = before;
            }
            if (layout[g].empty())
                break;  // the groups are unordered: open them in turn
        }
    };
    deal(0);
    return best;
}

TEST(PackBuilder, ReachesTheOptimumOfEverySmallInstance)
{
    // Cells, S, P, whether the capacities are whole, whether only grade A is eligible, the voltage
    // spread inside a group (the cells lie 0.10 V apart).
    const std::tuple<std::size_t, int, int, bool, bool, std::optional<double>> instances[] = {
        {12, 3, 4, false, false, {}},   {12, 4, 3, true, false, {}},   {12, 6, 2, false, false, {}},
        {12, 2, 6, true, false, {}},    {12, 2, 5, false, false, {}},  {11, 3, 3, true, false, {}},
        {12, 3, 3, false, true, {}},    {9, 4, 2, false, false, {}},   {8, 1, 5, false, false, {}},
        {12, 12, 1, true, false, {}},   {12, 3, 4, false, false, 0.05}, {12, 2, 5, true, false, 0.06},
        {11, 3, 3, false, false, 0.04}, {12, 4, 2, false, false, 0.02},
    };
    for (const auto& [count, series, parallel, whole, onlyA, voltageSpread] : instances) {
        for (const PackObjective objective : {PackObjective::Capacity, PackObjective::Balanced}) {
            const auto cells = TestCells(count, static_cast<std::uint32_t>(count * 7 + series), whole);
            PackRequest request{series, parallel, {}, objective, {}, voltageSpread};
            if (onlyA)
                request.eligibleGrades = {"A"};
            const PackOutcome built = BuildPack(cells, request, MovesOnly(2'000'000));
            ASSERT_TRUE(built.pack) << PackFaultText(built.fault.value());
            SCOPED_TRACE(std::to_string(count) + " cells, " + std::to_string(series) + "S" + std::to_string(parallel) +
                         "P, objective " + std::to_string(static_cast<int>(objective)));
            ExpectWellFormed(cells, request, *built.pack);
            const auto [optimum, layout] = BruteForceOptimum(cells, request);
            EXPECT_NEAR(DescribePack(cells, request, layout).cost, optimum, 1e-9 * std::max(1.0, optimum));
            EXPECT_LE(built.pack->cost, optimum + 1e-9 * std::max(1.0, optimum));
        }
    }
}

TEST(PackBuilder, NeverWorseThanTheSnakeAndRepeatsItselfForASeed)
{
    const std::tuple<std::size_t, int, int> batches[] = {  // cells, S, P
        {20, 4, 4}, {60, 13, 4}, {60, 14, 4}, {100, 7, 12}, {150, 10, 14}, {90, 20, 3}};
    for (const auto& [count, series, parallel] : batches) {
        for (const PackObjective objective : {PackObjective::Capacity, PackObjective::Balanced}) {
            const auto cells = TestCells(count, static_cast<std::uint32_t>(series * 31 + parallel));
            const PackRequest request{series, parallel, {}, objective, {}};
            const PackOutcome snake = BuildSnakePack(cells, request);
            const PackOutcome built = BuildPack(cells, request, MovesOnly(100'000, 5));
            ASSERT_TRUE(snake.pack && built.pack);
            ExpectWellFormed(cells, request, *snake.pack);
            ExpectWellFormed(cells, request, *built.pack);
            EXPECT_LE(built.pack->cost, snake.pack->cost) << series << "S" << parallel << "P";
            EXPECT_EQ(Layout(*BuildPack(cells, request, MovesOnly(100'000, 5)).pack), Layout(*built.pack));
        }
    }
}

TEST(PackBuilder, SnakeDealsTheLargestCellsRowByRowBackAndForth)
{
    std::vector<PackCell> cells;
    for (int capacity = 1; capacity <= 7; ++capacity)
        cells.push_back({"c" + std::to_string(capacity), static_cast<double>(capacity), 10, 3.6, "A"});
    const PackOutcome snake = BuildSnakePack(cells, {2, 3, {}, PackObjective::Capacity, {}});
    ASSERT_TRUE(snake.pack);
    // 7 | 6, then 5 | 4 back, then 3 | 2; the smallest is left over.
    EXPECT_EQ(Layout(*snake.pack), (std::vector<std::vector<std::string>>{{"c3", "c4", "c7"}, {"c2", "c5", "c6"}, {"c1"}}));
    EXPECT_EQ(std::pair(snake.pack->capacitySpread, snake.pack->resistanceSpread), std::pair(1.0, 0.0));
}

// The clock is read once per 256 moves: its readings count the moves the search made.
TEST(PackBuilder, SearchEndsAtTheDeadlineWhenNothingImprovesOrWhenProgressSaysSo)
{
    const PackRequest large{12, 15, {}, PackObjective::Balanced, {}};
    const auto cells200 = TestCells(200, 3);
    PackSearchOptions late;
    int calls = 0;
    late.now = [&calls] { return std::chrono::steady_clock::time_point{} + std::chrono::seconds(calls++); };
    const PackOutcome built = BuildPack(cells200, large, late);
    ASSERT_TRUE(built.pack);
    EXPECT_LE(calls, 4);  // the build's start, the search's, then one look per 256 moves until the budget has passed
    ExpectWellFormed(cells200, large, *built.pack);
    EXPECT_LE(built.pack->cost, BuildSnakePack(cells200, large).pack->cost);

    const auto cells = TestCells(60, 11);
    for (const PackObjective objective : {PackObjective::Capacity, PackObjective::Balanced}) {
        const PackRequest request{13, 4, {}, objective, {}};
        PackSearchOptions settled = MovesOnly(200000);
        std::uint64_t reads = 0;
        settled.now = [&reads] { return std::chrono::steady_clock::time_point{} + std::chrono::nanoseconds(reads++); };
        ASSERT_TRUE(BuildPack(cells, request, settled).pack);
        EXPECT_LT(reads * 256, 40'000'000u / 4) << "stops long before the move limit";
    }

    // 10 ms a reading: progress every fifth reading, until it answers false. The search's share
    // of the 2 s is 1970 ms: the start took one reading and 20 ms are kept for the result.
    std::vector<double> spent;
    PackSearchOptions told;
    int readings = 0;
    told.now = [&readings] { return std::chrono::steady_clock::time_point{} + std::chrono::milliseconds(10 * readings++); };
    told.progress = [&spent](double fraction) {
        spent.push_back(fraction);
        return spent.size() < 3;
    };
    const auto many = TestCells(400, 5);
    const PackOutcome stopped = BuildPack(many, large, told);
    ASSERT_TRUE(stopped.pack);
    ExpectWellFormed(many, large, *stopped.pack);
    ASSERT_EQ(spent.size(), 3u);
    for (std::size_t i = 0; i < spent.size(); ++i)
        EXPECT_NEAR(spent[i], 50.0 * static_cast<double>(i + 1) / 1970, 1e-12);
    EXPECT_LE(stopped.pack->cost, BuildSnakePack(many, large).pack->cost);
}

TEST(PackBuilder, KeepsTheVoltageSpreadInsideEachGroup)
{
    const std::string snakeBreaks = "the snake deal puts cells more than 0.05 V apart into one group";
    struct Row {
        const char* what;
        std::size_t count;
        std::function<double(std::size_t)> voltage;  // of cell i
        PackRequest request;
        std::string error;  // of BuildPack
        std::string snakeError;
    };
    const Row rows[] = {
        {"cells charged and not", 40, [](std::size_t i) { return i % 2 == 0 ? 3.26 + 0.002 * (i % 7) : 4.10 - 0.002 * (i % 5); },
         {4, 4, {}, {}, {}, 0.05}, "", snakeBreaks},
        {"decimals at the limit", 12, [](std::size_t i) { return i % 2 == 0 ? 3.65 : 3.70; }, {3, 4, {}, {}, {}, 0.05}, "", ""},
        {"one state of charge a group", 30, [](std::size_t i) { return 3.3 + 0.3 * static_cast<double>(i % 3); },
         {3, 10, {}, {}, {}, 0.05}, "", snakeBreaks},
        {"a stray low cell left over", 9, [](std::size_t i) { return i == 0 ? 3.0 : i <= 4 ? 3.5 : 3.6; },
         {2, 4, {}, {}, {}, 0.05}, "", snakeBreaks},
        {"equal voltages only", 16, [](std::size_t i) { return i % 4 == 0 ? 3.601 : 3.6; }, {3, 4, {}, {}, {}, 0.0}, "",
         "the snake deal puts cells more than 0 V apart into one group"},
        {"too few groups", 14, [](std::size_t i) { return i < 7 ? 3.26 : 4.10; }, {3, 4, {}, {}, {}, 0.05},
         "needs 3 groups of 4 cells within 0.05 V, the eligible cells make 2", snakeBreaks},
    };
    for (const Row& row : rows) {
        auto cells = TestCells(row.count, 23);
        for (std::size_t i = 0; i < cells.size(); ++i)
            cells[i].voltage = row.voltage(i);
        for (const PackObjective objective : {PackObjective::Capacity, PackObjective::Balanced}) {
            SCOPED_TRACE(std::string(row.what) + ", objective " + std::to_string(static_cast<int>(objective)));
            PackRequest request = row.request;
            request.objective = objective;
            const PackOutcome built = BuildPack(cells, request, MovesOnly(200'000));
            EXPECT_EQ(built.fault ? PackFaultText(*built.fault) : "", row.error);
            if (built.pack)
                ExpectWellFormed(cells, request, *built.pack);
            const PackOutcome snake = BuildSnakePack(cells, request);
            EXPECT_EQ(snake.fault ? PackFaultText(*snake.fault) : "", row.snakeError);
            if (snake.pack)
                ExpectWellFormed(cells, request, *snake.pack);
        }
    }
}

TEST(PackBuilder, ErrorsSayWhatIsWrong)
{
    const auto cells = TestCells(60, 1);  // every fifth cell is grade B: 48 are grade A
    std::vector<PackCell> repeated = cells;
    repeated[7].id = "C3";
    std::vector<PackCell> shorted = cells;
    shorted[10].resistance = 0;
    std::vector<PackCell> shortedB = cells;
    shortedB[9].resistance = 0;  // grade B, not asked for
    const std::tuple<const std::vector<PackCell>&, PackRequest, std::string> cases[] = {  // cells, request, error
        {cells, {13, 4, {"A"}, {}, {}}, "needs 52 cells, 48 are eligible: 4 missing"},
        {cells, {0, 4, {}, {}, {}}, "S and P must be positive, not 0S4P"},
        {cells, {13, -1, {}, {}, {}}, "S and P must be positive, not 13S-1P"},
        {repeated, {13, 4, {}, {}, {}}, "cell ID \"C3\" appears more than once"},
        {shorted, {13, 4, {}, {}, {}}, "cell \"C10\" needs a capacity above 0 mAh and a resistance above 0 mOhm"},
        {shortedB, {12, 4, {"A"}, {}, {}}, ""},
        {cells, {13, 4, {}, {}, {}, -0.01}, "the voltage spread inside a group must be 0 V or more"},
        {cells, {13, 4, {}, {}, {}, std::nan("")}, "the voltage spread inside a group must be 0 V or more"},
    };
    for (const auto& [batch, request, error] : cases) {
        const PackOutcome built = BuildPack(batch, request, MovesOnly(1000));
        const PackOutcome snake = BuildSnakePack(batch, request);
        EXPECT_EQ(built.fault ? PackFaultText(*built.fault) : "", error);
        EXPECT_EQ(snake.fault ? PackFaultText(*snake.fault) : "", error);
        EXPECT_EQ(built.pack.has_value(), !built.fault);
    }
}

TEST(PackMap, GroupsSumTheirCellsAndCellsKnowTheirDeviation)
{
    const PackMap map = MapGroups({{{"a", 3000, 20, 3.6, "A"}, {"b", 3100, 20, 3.6, "A"}}, {{"c", 2900, 10, 3.6, "A"}, {"d", 3000, 40, 3.6, "A"}}});
    ASSERT_EQ(map.groups.size(), 2u);
    const std::tuple<std::size_t, std::size_t, const char*, double> cells[] = {  // group, place, cell, deviation
        {0, 0, "a", 0}, {0, 1, "b", 1.0 / 30}, {1, 0, "c", -1.0 / 30}, {1, 1, "d", 0}};
    for (const auto& [group, place, id, deviation] : cells) {
        EXPECT_EQ(map.groups[group].cells[place].id, id);
        EXPECT_NEAR(map.groups[group].cells[place].deviation, deviation, 1e-12) << id;
    }
    EXPECT_NEAR(map.largestDeviation, 1.0 / 30, 1e-12);
    EXPECT_EQ(map.parallel, 2);
    EXPECT_DOUBLE_EQ(map.meanCapacity, 3000);
    EXPECT_DOUBLE_EQ(map.groups[0].capacity, 6100);
    EXPECT_DOUBLE_EQ(map.groups[0].resistance, 10);
    EXPECT_DOUBLE_EQ(map.groups[1].resistance, 8);
    EXPECT_DOUBLE_EQ(map.capacitySpread, 200);
    EXPECT_DOUBLE_EQ(map.resistanceSpread, 2);
    EXPECT_DOUBLE_EQ(map.capacity, 5900);
    EXPECT_DOUBLE_EQ(map.resistance, 18);
    EXPECT_DOUBLE_EQ(MapGroups({{{"a", 3000, 20, 3.6, "A"}}, {{"b", 3000, 0, 3.6, "A"}}}).resistance, 0)
        << "a group without a resistance leaves the pack's unknown";
    EXPECT_EQ(PackMapCsv(map), "\xEF\xBB\xBFgroup,position,cell,capacity_mah,resistance_mohm\r\n"
                               "1,1,a,3000,20\r\n1,2,b,3100,20\r\n2,1,c,2900,10\r\n2,2,d,3000,40\r\n");
}

// Every spare tried by hand in the failed cell's place: the replacement is the cheapest, takes
// that place while every other cell keeps its group and position, and the changes are those
// between the two packs and the two cells.
TEST(CellReplacement, PicksTheSpareThatCostsLeastAndPutsItInTheFailedCellsPlace)
{
    const auto cells = TestCells(16, 9);
    const std::pair<std::size_t, std::size_t> places[] = {{0, 0}, {1, 2}, {2, 1}};  // group, position failing
    for (const PackObjective objective : {PackObjective::Capacity, PackObjective::Balanced}) {
        const PackRequest request{3, 3, {}, objective, {}};
        const Pack pack = *BuildPack(cells, request, MovesOnly(100'000)).pack;
        for (const auto& [failedGroup, failedPlace] : places) {
            const std::string failed = pack.groups[failedGroup].cellIds[failedPlace];
            SCOPED_TRACE(failed);
            PackLayout layout;
            for (const PackGroup& group : pack.groups) {
                auto& members = layout.emplace_back();
                for (const std::string& id : group.cellIds)
                    members.push_back(IndexOf(cells, id));
            }
            double cheapest = 1e300;
            for (const std::string& spare : pack.unusedIds) {
                layout[failedGroup][failedPlace] = IndexOf(cells, spare);
                cheapest = std::min(cheapest, DescribePack(cells, request, layout).cost);
            }

            const ReplacementOutcome outcome = ReplaceCell(cells, request, pack, failed);
            ASSERT_TRUE(outcome.replacement) << PackFaultText(outcome.fault.value());
            const CellReplacement& replaced = *outcome.replacement;
            EXPECT_DOUBLE_EQ(replaced.pack.cost, cheapest);
            EXPECT_DOUBLE_EQ(replaced.costChange, cheapest - pack.cost);
            EXPECT_DOUBLE_EQ(replaced.capacitySpreadChange, replaced.pack.capacitySpread - pack.capacitySpread);
            EXPECT_DOUBLE_EQ(replaced.resistanceSpreadChange, replaced.pack.resistanceSpread - pack.resistanceSpread);
            const PackCell& spare = cells[IndexOf(cells, replaced.spareId)];
            const PackCell& out = cells[IndexOf(cells, failed)];
            EXPECT_DOUBLE_EQ(replaced.capacityChange, spare.capacity - out.capacity);
            EXPECT_DOUBLE_EQ(replaced.resistanceChange, spare.resistance - out.resistance);
            // The spare leaves the unused cells and the failed cell is not among them.
            std::vector<std::vector<std::string>> expected = Layout(pack);
            expected[failedGroup][failedPlace] = replaced.spareId;
            std::erase(expected.back(), replaced.spareId);
            EXPECT_EQ(Layout(replaced.pack), expected);
        }
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
        EXPECT_EQ(PackFaultText(ReplaceCell(cells, request, from, failed).fault.value()), error) << failed;

    // The one spare is charged: it fits no group of cells from 3.50 to 3.59 V.
    auto charged = cells;
    charged[4].voltage = 4.1;
    const PackRequest within{3, 3, {}, PackObjective::Balanced, {}, 0.05};
    const Pack kept = *BuildPack(charged, within, MovesOnly(10'000)).pack;
    ASSERT_EQ(kept.unusedIds, std::vector<std::string>{"C4"});
    EXPECT_EQ(PackFaultText(ReplaceCell(charged, within, kept, kept.groups[0].cellIds[0]).fault.value()),
              "no spare cell keeps the failed cell's group within the voltage spread");
}

} // namespace
} // namespace voltaryn::cells
