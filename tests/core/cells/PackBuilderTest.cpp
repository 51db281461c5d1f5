#include "cells/PackBuilder.h"
#include "cells/PackCost.h"
#include "core/cells/PackTestCells.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <set>

namespace voltaryn::cells {
namespace {

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
            const auto cell = std::find_if(cells.begin(), cells.end(), [&](const PackCell& c) { return c.id == id; });
            capacity += cell->capacity;
            conductance += 1 / cell->resistance;
            lowVoltage = std::min(lowVoltage, cell->voltage);
            highVoltage = std::max(highVoltage, cell->voltage);
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
            double capacityLow = 1e300, capacityHigh = -1e300, resistanceLow = 1e300, resistanceHigh = -1e300;
            double inside = 0;
            for (const GroupTotals& group : totals) {
                capacityLow = std::min(capacityLow, group.capacity);
                capacityHigh = std::max(capacityHigh, group.capacity);
                resistanceLow = std::min(resistanceLow, 1 / group.conductance);
                resistanceHigh = std::max(resistanceHigh, 1 / group.conductance);
                inside += cost.Inside(group);
            }
            const double price = cost.Cost(capacityHigh - capacityLow, resistanceHigh - resistanceLow, inside);
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
            ASSERT_TRUE(built.pack) << built.error;
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
            const PackOutcome again = BuildPack(cells, request, MovesOnly(100'000, 5));
            EXPECT_EQ(again.pack->unusedIds, built.pack->unusedIds);
            for (std::size_t g = 0; g < built.pack->groups.size(); ++g)
                EXPECT_EQ(again.pack->groups[g].cellIds, built.pack->groups[g].cellIds);
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
    EXPECT_EQ(snake.pack->groups[0].cellIds, (std::vector<std::string>{"c3", "c4", "c7"}));
    EXPECT_EQ(snake.pack->groups[1].cellIds, (std::vector<std::string>{"c2", "c5", "c6"}));
    EXPECT_EQ(snake.pack->unusedIds, std::vector<std::string>{"c1"});
    EXPECT_DOUBLE_EQ(snake.pack->capacitySpread, 1);
    EXPECT_DOUBLE_EQ(snake.pack->resistanceSpread, 0);
}

TEST(PackBuilder, SearchStopsAtTheDeadline)
{
    const auto cells = TestCells(200, 3);
    const PackRequest request{12, 15, {}, PackObjective::Balanced, {}};
    PackSearchOptions options;
    int calls = 0;
    options.now = [&calls] { return std::chrono::steady_clock::time_point{} + std::chrono::seconds(calls++); };
    const PackOutcome built = BuildPack(cells, request, options);
    ASSERT_TRUE(built.pack);
    EXPECT_LE(calls, 4);  // the build's start, the search's, then one look per 256 moves until the budget has passed
    ExpectWellFormed(cells, request, *built.pack);
    EXPECT_LE(built.pack->cost, BuildSnakePack(cells, request).pack->cost);
}

// The clock is read once per 256 moves: its readings count the moves the search made.
TEST(PackBuilder, SearchEndsWhenNothingImprovesOrProgressSaysSo)
{
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
    const PackRequest request{12, 15, {}, PackObjective::Balanced, {}};
    const auto many = TestCells(400, 5);
    const PackOutcome stopped = BuildPack(many, request, told);
    ASSERT_TRUE(stopped.pack);
    ExpectWellFormed(many, request, *stopped.pack);
    ASSERT_EQ(spent.size(), 3u);
    for (std::size_t i = 0; i < spent.size(); ++i)
        EXPECT_NEAR(spent[i], 50.0 * static_cast<double>(i + 1) / 1970, 1e-12);
    EXPECT_LE(stopped.pack->cost, BuildSnakePack(many, request).pack->cost);
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
            EXPECT_EQ(built.error, row.error);
            if (built.pack)
                ExpectWellFormed(cells, request, *built.pack);
            const PackOutcome snake = BuildSnakePack(cells, request);
            EXPECT_EQ(snake.error, row.snakeError);
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
        EXPECT_EQ(built.error, error);
        EXPECT_EQ(snake.error, error);
        EXPECT_EQ(built.pack.has_value(), built.error.empty());
    }
}

} // namespace
} // namespace voltaryn::cells
