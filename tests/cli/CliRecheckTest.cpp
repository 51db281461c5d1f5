// --demo-days: the lot that --demo-cells sorted, rechecked after storage.
#include "cli/CliRun.h"
#include "sim/StoredLot.h"

#include <gmock/gmock.h>
#include <nlohmann/json.hpp>

namespace voltaryn {
namespace {

// `recheck` on the lot --demo-cells sorted, --demo-days later: the tray in number order, each
// cell lower by its own self-discharge over those days (within the display's noise on both
// readings) on a clock that stands the days later; the cells the simulation made leak are the
// ones flagged, `cells` tells them and `pack` leaves them out unless asked.
TEST(CliRecheck, FlagsTheCellsTheStoredLotMadeLeakAndPacksLeaveThemOut)
{
    TempFolder folder;
    const std::string db = "sqlite://" + (folder / "cells.db").string();
    constexpr int Days = 14;
    constexpr int Cells = 60;
    const auto run = [&](const Args& demo, const Args& command) {
        return JsonLines(OutputOf(folder, Join(Join({"--demo-cells=7", "--demo-time", DemoTime}, demo),
                                               Join({"-f", "json"}, command))));
    };
    const std::vector<nlohmann::json> sorted =
        run({}, {"sort", "--batch", "lot", "--db", db, "--count", std::to_string(Cells)});
    const std::vector<nlohmann::json> rechecked =
        run({"--demo-days", std::to_string(Days)}, {"recheck", "--batch", "lot", "--db", db});
    ASSERT_EQ(sorted.size(), std::size_t{Cells});
    ASSERT_EQ(rechecked.size(), std::size_t{Cells}) << "the run ends with the tray";
    int suspects = 0;
    for (std::size_t i = 0; i < sorted.size(); ++i) {
        SCOPED_TRACE(rechecked[i].dump());
        const double rate = sim::SelfDischargeRate(7, static_cast<int>(i));
        const double volts = sorted[i]["voltage_v"];
        EXPECT_EQ(rechecked[i]["number"], i + 1);
        EXPECT_EQ(rechecked[i]["reference_voltage_v"], volts);
        EXPECT_NEAR(rechecked[i]["voltage_v"].get<double>(), volts + rate * Days / 1000, 0.005);
        EXPECT_NEAR(rechecked[i]["days"].get<double>(), Days, 0.01);
        EXPECT_NEAR(UtcMs(rechecked[i]["time"]) - UtcMs(sorted[i]["time"]), Days * 86400e3, 120e3);
        EXPECT_EQ(rechecked[i]["verdict"], rate < -8 ? "suspect" : "ok");
        suspects += rate < -8 ? 1 : 0;
    }
    ASSERT_GT(suspects, 0) << "seed 7 makes a leaking cell in its first cells";

    const std::vector<nlohmann::json> cells = run({}, {"cells", "--batch", "lot", "--db", db});
    ASSERT_EQ(cells.size(), std::size_t{Cells});
    for (std::size_t i = 0; i < cells.size(); ++i) {
        EXPECT_EQ(cells[i]["self_discharge"], rechecked[i]["verdict"]);
        EXPECT_EQ(cells[i]["recheck_voltage_v"], rechecked[i]["voltage_v"]);
        EXPECT_EQ(cells[i]["grade"], sorted[i]["grade"]) << "a recheck leaves the grade";
    }
    const nlohmann::json stats =
        nlohmann::json::parse(OutputOf(folder, {"-f", "json", "stats", "--batch", "lot", "--db", db}))["self_discharge"];
    EXPECT_EQ(stats["judged"], Cells);
    EXPECT_EQ(stats["suspects"], suspects);
    EXPECT_EQ(stats["limit_mv_per_day"], -8);
    EXPECT_LT(stats["lot_limit_mv_per_day"].get<double>(), -2) << "the lot line lies below the healthy cells";
    EXPECT_THAT(OutputOf(folder, {"stats", "--batch", "lot", "--db", db}),
                ::testing::HasSubstr("self-discharge: 60 judged, " + std::to_string(suspects) + " suspect, 0 early"));

    // Without capacities no pack can be built: the refusal counts the cells left out.
    const Args pack{"pack", "--batch", "lot", "--db", db, "-s", "1", "-p", "1"};
    const std::string leftOut = std::to_string(suspects) + " suspected of self-discharge";
    EXPECT_THAT(RunCli(folder, pack).err, ::testing::HasSubstr(leftOut));
    EXPECT_THAT(RunCli(folder, Join(pack, {"--include-suspects"})).err, ::testing::Not(::testing::HasSubstr(leftOut)));

    // A scanned ID the batch does not hold is refused and stores nothing; the next capture takes
    // the tray's cell --from names.
    Write(folder / "ids.txt", "NOPE\n");
    const Finished scanned =
        RunCli(folder,
               {"--demo-cells=7", "--demo-time", DemoTime, "--demo-days", "20", "-f", "json", "recheck", "--batch", "lot",
                "--db", db, "--ids", "--from", "5", "--count", "1"},
               (folder / "ids.txt").string());
    EXPECT_EQ(scanned.exitCode, 0) << scanned.err;
    EXPECT_THAT(scanned.err, ::testing::HasSubstr("no cell \"NOPE\", nothing stored"));
    ASSERT_EQ(Lines(scanned.out).size(), 1u);
    EXPECT_EQ(nlohmann::json::parse(scanned.out)["number"], 5);

    // Cell 2 charged and sorted again 20 days on: judged from that capture, its recheck of day 14
    // has not rested after it; --first takes the first capture back.
    Write(folder / "charged.txt", "#0002\n");
    EXPECT_EQ(RunCli(folder, {"--demo-cells=7", "--demo-time", DemoTime, "--demo-days", "20", "sort", "--batch", "lot",
                              "--db", db, "--ids", "--count", "1"},
                     (folder / "charged.txt").string())
                  .exitCode,
              0);
    const auto afterCharge = [&](const Args& more) {
        return nlohmann::json::parse(
            OutputOf(folder, Join({"-f", "json", "after-charge", "--batch", "lot", "--db", db, "--cell", "#0002"}, more)));
    };
    EXPECT_NEAR(UtcMs(afterCharge({})["reference_time"]) - UtcMs(sorted[1]["time"]), 20 * 86400e3, 120e3);
    EXPECT_EQ(run({}, {"cells", "--batch", "lot", "--db", db})[1]["self_discharge"], "early");
    EXPECT_EQ(afterCharge({"--first"})["reference_time"], sorted[1]["time"]);
    EXPECT_EQ(run({}, {"cells", "--batch", "lot", "--db", db})[1]["self_discharge"], rechecked[1]["verdict"]);
    ExpectRefusals(folder, {"after-charge", "--db", db},
                   {{{"--batch", "lot", "--cell", "#0099"}, 2, "batch lot has no cell #0099"},
                    {{"--batch", "none", "--cell", "#0001"}, 2, "there is no batch none"}});

    ExpectRefusals(folder, {"recheck", "--db", db},
                   {{{"--batch", "lot"}, 2, "every cell of batch lot has a recheck: give --from N"},
                    {{"--batch", "lot", "--from", "99"}, 2, "batch lot has no cell #0099"},
                    {{"--batch", "lot", "--limit", "3"}, 2, "the absolute limit must be a loss"},
                    {{"--batch", "lot", "--rest-days", "91"}, 2, "--rest-days must be a whole number from 1 to 90"},
                    {{"--batch", "none"}, 2, "there is no batch none"}});
}

} // namespace
} // namespace voltaryn
