#include "cells/SelfDischarge.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace voltaryn::cells {
namespace {

using namespace std::chrono;
using Verdict = SelfDischargeVerdict;

const system_clock::time_point Start = sys_days{2024y / March / 1} + 9h;

// A cell read at 3.6 V and again `days` later, having lost `mvPerDay` a day.
CellRecheck Rested(double days, double mvPerDay, std::optional<double> referenceC = {}, std::optional<double> recheckC = {})
{
    const auto later = Start + round<system_clock::duration>(duration<double, days::period>(days));
    return {VoltageReading{3.6, Start, referenceC}, VoltageReading{3.6 + mvPerDay * days / 1000, later, recheckC}};
}

std::vector<CellRecheck> Lot(std::initializer_list<double> mvPerDay)
{
    std::vector<CellRecheck> cells;
    for (const double rate : mvPerDay)
        cells.push_back(Rested(21, rate));
    return cells;
}

TEST(SelfDischarge, VerdictsOfALot)
{
    // Twenty cells losing 0.8 to 1.2 mV a day; with the rows judged below, the median is -1 and
    // the MAD 0.1, so the lot's line lies at -1 - 3 x 1.4826 x 0.1 = -1.44.
    std::vector<CellRecheck> cells;
    for (int i = 0; i < 20; ++i)
        cells.push_back(Rested(21, -1 + 0.1 * (i % 5 - 2)));
    const std::size_t lotSize = cells.size();
    const std::tuple<const char*, CellRecheck, Verdict, std::optional<double>, std::optional<double>> rows[] = {
        // what, cell, verdict, mV/day, temperature change
        {"near the lot", Rested(21, -1.4), Verdict::Ok, -1.4, {}},
        {"below the lot's line only", Rested(21, -5), Verdict::Suspect, -5, {}},
        {"below the absolute limit", Rested(21, -9), Verdict::Suspect, -9, {}},
        {"gaining voltage", Rested(21, 0.5), Verdict::Ok, 0.5, {}},
        {"rested exactly the minimum", Rested(14, -1), Verdict::Ok, -1, {}},
        {"warmer at the recheck", Rested(21, -1, 22.0, 25.5), Verdict::Ok, -1, 3.5},
        {"rechecked a little early", Rested(13.9, -20), Verdict::Early, -20, {}},
        {"rechecked minutes short of the rest", Rested(13.99, -1), Verdict::Ok, -1, {}},
        {"rechecked at the same moment", Rested(0, 0), Verdict::Early, {}, {}},
        {"rechecked before its reference", Rested(-2, 1), Verdict::Early, {}, {}},
        {"no recheck", {VoltageReading{3.6, Start, 22.0}, {}}, Verdict::None, {}, {}},
        {"no reference", {{}, VoltageReading{3.5, Start, 24.0}}, Verdict::None, {}, {}},
    };
    for (const auto& row : rows)
        cells.push_back(std::get<1>(row));

    const SelfDischargeLot lot = JudgeSelfDischarge(cells, {});
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        const auto& [what, cell, verdict, mvPerDay, temperatureChange] = rows[i];
        const SelfDischargeResult& result = lot.cells.at(lotSize + i);
        EXPECT_EQ(result.verdict, verdict) << what;
        EXPECT_EQ(result.mvPerDay.has_value(), mvPerDay.has_value()) << what;
        EXPECT_NEAR(result.mvPerDay.value_or(0), mvPerDay.value_or(0), 1e-6) << what;
        EXPECT_EQ(result.temperatureChange, temperatureChange) << what;
        EXPECT_EQ(result.days.has_value(), cell.reference && cell.recheck) << what;
    }
    EXPECT_EQ(lot.judged, lotSize + 7);
    EXPECT_EQ(lot.early, 3u);
    EXPECT_EQ(lot.suspects, 2u);
    EXPECT_NEAR(*lot.medianMvPerDay, -1, 1e-9);
    EXPECT_NEAR(*lot.madMvPerDay, 0.1, 1e-9);
    EXPECT_NEAR(*lot.lotLimitMvPerDay, -1 - 3 * 1.4826 * 0.1, 1e-9);
    EXPECT_EQ(lot.mvPerDay->count, lot.judged);
    EXPECT_NEAR(lot.mvPerDay->min, -9, 1e-9);
}

// A tenth of the lot leaking at 4 to 6 mV a day, above the absolute limit: a mean and standard
// deviation would widen to let most of them pass, the median and MAD barely move.
TEST(SelfDischarge, SuspectsDoNotMoveTheLotLine)
{
    std::vector<CellRecheck> good;
    for (int i = 0; i < 100; ++i)
        good.push_back(Rested(21 + i % 3, -1.2 + 0.4 * i / 99));
    std::vector<CellRecheck> cells = good;
    for (int i = 0; i < 10; ++i)
        cells.push_back(Rested(21, -4 - 0.2 * i));

    const SelfDischargeLot alone = JudgeSelfDischarge(good, {});
    const SelfDischargeLot lot = JudgeSelfDischarge(cells, {});
    EXPECT_NEAR(*lot.medianMvPerDay, *alone.medianMvPerDay, 0.03);
    EXPECT_NEAR(*lot.madMvPerDay, *alone.madMvPerDay, 0.15 * *alone.madMvPerDay);
    EXPECT_EQ(lot.suspects, 10u);
    for (std::size_t i = 0; i < cells.size(); ++i)
        EXPECT_EQ(lot.cells[i].verdict, i < good.size() ? Verdict::Ok : Verdict::Suspect) << i;
}

TEST(SelfDischarge, SmallAndFlatLotsHaveOnlyTheAbsoluteLimit)
{
    using enum SelfDischargeVerdict;
    const std::tuple<const char*, std::vector<CellRecheck>, std::vector<Verdict>, bool> rows[] = {
        // what, cells, verdicts, whether the lot has its line
        {"two cells", Lot({-5, -9}), {Ok, Suspect}, false},
        {"three cells", Lot({-1, -1.1, -5}), {Ok, Ok, Suspect}, true},
        {"two judged, one early", {Rested(21, -1), Rested(21, -1.1), Rested(7, -5)}, {Ok, Ok, Early}, false},
        {"MAD 0: most show no change", Lot({0, 0, 0, -0.05, -5}), {Ok, Ok, Ok, Ok, Ok}, false},
        {"nothing judged", {Rested(3, -1), CellRecheck{}}, {Early, None}, false},
        {"no cells", {}, {}, false},
    };
    for (const auto& [what, cells, verdicts, lotLine] : rows) {
        const SelfDischargeLot lot = JudgeSelfDischarge(cells, {});
        std::vector<Verdict> judged;
        for (const SelfDischargeResult& result : lot.cells)
            judged.push_back(result.verdict);
        EXPECT_EQ(judged, verdicts) << what;
        EXPECT_EQ(lot.lotLimitMvPerDay.has_value(), lotLine) << what;
        EXPECT_EQ(lot.madMvPerDay.has_value(), lot.judged > 0) << what;
    }
}

TEST(SelfDischarge, RulesAndVerdictNames)
{
    const std::string loss = "the absolute limit must be a loss, a number of mV/day below 0";
    const std::pair<SelfDischargeRules, std::string> rows[] = {
        {{}, ""},
        {{-0.1, 1}, ""},
        {{-8, 90}, ""},
        {{-8, 0}, "the minimum rest must be 1 to 90 days, not 0"},
        {{-8, 91}, "the minimum rest must be 1 to 90 days, not 91"},
        {{0, 14}, loss},
        {{2, 14}, loss},
        {{-std::numeric_limits<double>::infinity(), 14}, loss},
        {{std::nan(""), 14}, loss},
    };
    for (const auto& [rules, problem] : rows)
        EXPECT_EQ(SelfDischargeRulesProblem(rules), problem) << rules.absoluteLimitMvPerDay << ", " << rules.minimumRestDays;

    const std::pair<Verdict, std::string_view> names[] = {
        {Verdict::None, "none"}, {Verdict::Ok, "ok"}, {Verdict::Suspect, "suspect"}, {Verdict::Early, "early"}};
    for (const auto& [verdict, name] : names)
        EXPECT_EQ(SelfDischargeVerdictName(verdict), name);
}

} // namespace
} // namespace voltaryn::cells
