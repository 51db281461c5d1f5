// The recheck of a sorted lot after storage: the tray's cells in their order, each lower by its
// self-discharge, placed again when a pass fails.
#include "sim/CellBench.h"
#include "sim/StoredLot.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

namespace voltaryn::sim {
namespace {

using namespace std::chrono_literals;

const SimTime SortStart = std::chrono::sys_days{std::chrono::year{2024} / 3 / 15} + 10h;

// The cells the sorting stream stored: those of its settled passes, in their order.
std::vector<BenchCell> StoredCells(std::uint64_t seed, int passes)
{
    std::vector<BenchCell> stored;
    std::ranges::copy_if(CellBench(seed, SortStart).FirstCells(passes), std::back_inserter(stored),
                         [](const BenchCell& c) { return c.event == CellEvent::Normal; });
    return stored;
}

// Pass by pass, the recheck presents the stored cells in their order, each lower by its own rate
// times the days, with its resistance; a pass that does not settle leaves its cell for the next.
// The same seed and days give the same recheck from any start.
TEST(Recheck, PresentsTheStoredCellsInTheirOrderLowerByTheirSelfDischarge)
{
    const std::tuple<std::uint64_t, int> cases[] = {{7, 14}, {3, 1}, {99, 365}, {7, LongestStorageDays}};
    for (const auto& [seed, days] : cases) {
        SCOPED_TRACE(testing::Message() << "seed " << seed << ", " << days << " days");
        const std::vector<BenchCell> stored = StoredCells(seed, 800);
        const SimTime start = SortStart + std::chrono::days{days};
        const std::vector<BenchCell> passes = CellBench(seed, start, days).FirstCells(400);
        const std::vector<BenchCell> again = CellBench(seed, start + 1h, days).FirstCells(400);
        int place = 0;
        int failed = 0;
        for (std::size_t i = 0; i < passes.size(); ++i) {
            const BenchCell& pass = passes[i];
            SCOPED_TRACE(testing::Message() << "pass " << i);
            ASSERT_EQ(pass.trayPlace, place);
            const BenchCell& cell = stored[static_cast<std::size_t>(place)];
            const double volts = cell.volts + SelfDischargeRate(seed, place) * days / 1000;
            EXPECT_DOUBLE_EQ(pass.volts, std::max(volts, 0.0));
            EXPECT_EQ(pass.milliOhms, cell.milliOhms);
            EXPECT_EQ(std::tuple(pass.trayPlace, pass.volts, pass.event, pass.rangeCode, pass.lifted - start),
                      std::tuple(again[i].trayPlace, again[i].volts, again[i].event, again[i].rangeCode,
                                 again[i].lifted - start - 1h));
            if (pass.event == CellEvent::Normal)
                ++place;
            else
                ++failed;
        }
        EXPECT_GE(failed, 8) << "contact trouble happens on the recheck too";
    }
}

// Over 10,000 cells of a few lots, each rate lies in one of its two bands, the fast one holding
// 2 to 4 % of the cells; the same cell of the same lot always loses at the same rate.
TEST(Recheck, SelfDischargeRatesFallIntoTheirBands)
{
    struct Band {
        const char* what;
        double fastest;
        double slowest;  // mV/day
        double lowShare;
        double highShare;
    };
    const Band bands[] = {{"soft shorts", -60, -10, 0.02, 0.04}, {"healthy cells", -2, -0.2, 0.96, 0.98}};
    constexpr int Cells = 10000;
    for (const std::uint64_t seed : {1u, 7u, 99u}) {
        SCOPED_TRACE(seed);
        std::vector<double> rates;
        for (int place = 0; place < Cells; ++place)
            rates.push_back(SelfDischargeRate(seed, place));
        int banded = 0;
        for (const Band& band : bands) {
            const auto inBand = std::ranges::count_if(
                rates, [&band](double rate) { return rate >= band.fastest && rate <= band.slowest; });
            banded += static_cast<int>(inBand);
            const double share = static_cast<double>(inBand) / Cells;
            EXPECT_TRUE(share >= band.lowShare && share <= band.highShare) << band.what << ": " << share;
        }
        EXPECT_EQ(banded, Cells) << "every rate lies in a band";
        EXPECT_EQ(SelfDischargeRate(seed, 42), rates[42]);
        EXPECT_NE(SelfDischargeRate(seed + 1, 42), rates[42]);
    }
}

} // namespace
} // namespace voltaryn::sim
