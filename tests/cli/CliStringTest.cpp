// Battery strings from the command line: sites and strings kept, refused as a script's author
// needs, and walked with the probes.
#include "cli/CliRun.h"
#include "sim/BatteryString.h"

#include <gmock/gmock.h>
#include <nlohmann/json.hpp>

namespace voltaryn {
namespace {

using ::testing::HasSubstr;

// A string is added once, to a site there is, with figures the core takes; the refusals say why.
TEST(CliStrings, SitesAndStringsAreKeptAndBadFiguresRefused)
{
    const TempFolder folder;
    const std::string db = (folder / "strings.db").string();
    const Args addString{"string", "add", "--site", "Plant 2"};
    OutputOf(folder, {"site", "add", "Plant 2", "--notes", "hall B", "--db", db});
    OutputOf(folder, Join(addString, {"UPS A", "--blocks", "24", "--nominal", "12", "--chemistry", "vrla", "--straps",
                                      "--installed", "2021-01-01", "--db", db}));
    OutputOf(folder, Join(addString, {"DC", "--blocks", "24", "--nominal", "2", "--chemistry", "vla", "--db", db}));
    std::vector<Refusal> refusals{{{"site", "add", "Plant 2"}, 2, "There is already a site \"Plant 2\""},
                    {{"site", "add", " "}, 2, "the site name is empty"},
                    {Join(addString, {"UPS A", "--blocks", "24", "--nominal", "12", "--chemistry", "vrla"}), 2,
                     "Site \"Plant 2\" has a string \"UPS A\" already"},
                    {Join(addString, {"X", "--blocks", "24", "--nominal", "12", "--chemistry", "agm"}), 2,
                     "--chemistry is vla, vrla, nicd or lifepo4, not agm"},
                    {Join(addString, {"X", "--blocks", "0", "--nominal", "12", "--chemistry", "vla"}), 2,
                     "--blocks must be a whole number from 1 to 1000, not 0"},
                    {Join(addString, {"X", "--blocks", "4", "--nominal", "5", "--chemistry", "vla"}), 2, "--nominal"},
                    {Join(addString, {"X", "--blocks", "4", "--nominal", "6", "--chemistry", "vla", "--installed", "2021-13-01"}),
                     2, "--installed is a date as 2021-03-15, not 2021-13-01"},
                    {{"string", "add", "--site", "Plant 9", "X", "--blocks", "4", "--nominal", "6", "--chemistry", "vla"}, 2,
                     "There is no site \"Plant 9\""},
                    {{"inspections", "--site", "Plant 2", "--string", "UPS B"}, 2, "there is no string UPS B at site Plant 2"},
                    {{"baseline", "--site", "Plant 2", "--string", "UPS A", "--block", "3"}, 2, "--block N and --mohm X go together"},
                    {{"baseline", "--site", "Plant 2", "--string", "UPS A", "--block", "25", "--mohm", "4"}, 2,
                     "string UPS A has no block 25"},
                    {{"baseline", "--site", "Plant 2", "--string", "UPS A", "--inspection", "7"}, 2,
                     "string UPS A has no inspection 7"}};
    for (Refusal& refusal : refusals)
        refusal.args = Join(refusal.args, {"--db", db});
    ExpectRefusals(folder, {}, refusals);
    const std::vector<std::string> strings = Lines(OutputOf(folder, {"-f", "json", "string", "list", "--db", db}));
    ASSERT_EQ(strings.size(), 2u);
    EXPECT_EQ(nlohmann::json::parse(strings[0]),
              nlohmann::json::parse(R"({"site":"Plant 2","string":"DC","blocks":24,"nominal_v":2,"chemistry":"vla",
                                        "cells_per_block":1,"straps":false,"installed":null})"));
    EXPECT_EQ(nlohmann::json::parse(strings[1])["installed"], "2021-01-01");
    EXPECT_EQ(nlohmann::json::parse(strings[1])["cells_per_block"], 6) << "a 12 V lead-acid block holds six cells";

    // A string's policies: kept from a file the core reads, written out whole, the built-in ones again.
    Write(folder / "warranty.json", R"({"policies": [{"rule": "baseline", "warnPercent": 25, "failPercent": 40}]})");
    Write(folder / "bad.json", R"({"policies": [{"rule": "baseline", "warnPercent": 60, "failPercent": 40}]})");
    const Args policies{"string", "policies", "--site", "Plant 2", "--string", "UPS A", "--db", db};
    const auto kept = [&](const Args& more) { return nlohmann::json::parse(OutputOf(folder, Join(policies, more)))["policies"]; };
    EXPECT_EQ(kept({}).size(), 5u) << "the built-in ones";
    const nlohmann::json warranty = kept({"--policies", (folder / "warranty.json").string()});
    ASSERT_EQ(warranty.size(), 1u);
    EXPECT_EQ(warranty[0]["warnPercent"], 25);
    EXPECT_EQ(kept({}), warranty);
    const Finished bad = RunCli(folder, Join(policies, {"--policies", (folder / "bad.json").string()}));
    EXPECT_EQ(bad.exitCode, 2);
    EXPECT_THAT(bad.err, HasSubstr("bad.json: "));
    EXPECT_EQ(kept({}), warranty) << "a file refused changes nothing";
    EXPECT_EQ(kept({"--defaults"}).size(), 5u);
}

// A walk stores each settled reading at its place; one begun today goes on at its first empty
// place, and blocks marked missing keep their numbers. The bench's cells read as 6 V blocks far
// below their float voltage, so every block fails.
TEST(CliStrings, AnInspectionOfTodayGoesOnWhereItStopped)
{
    const TempFolder folder;
    const std::string db = (folder / "strings.db").string();
    OutputOf(folder, {"site", "add", "Lab", "--db", db});
    OutputOf(folder, {"string", "add", "--site", "Lab", "Six", "--blocks", "5", "--nominal", "6", "--chemistry", "vrla",
                      "--db", db});
    const auto inspect = [&](const std::string& day, const Args& more) {
        return RunCli(folder, Join({"--demo-cells", "--demo-time", "2024-03-" + day + "T10:00:00", "-f", "json",
                                    "inspect", "--site", "Lab", "--string", "Six", "--db", db},
                                   more));
    };
    const auto places = [](const Finished& run) {
        std::vector<std::string> walked;
        for (const std::string& line : Lines(run.out)) {
            const nlohmann::json reading = nlohmann::json::parse(line);
            walked.push_back(reading["kind"].get<std::string>() + " " + std::to_string(reading["position"].get<int>()));
        }
        return walked;
    };
    const struct {
        std::string day;
        Args more;
        std::vector<std::string> walked;
        std::string summary;
    } runs[] = {
        {"15", {"--ambient", "21", "--missing", "2", "--start", "4"}, {"missing 2", "block 4", "block 5"},
         "2 blocks, 0 straps: 0 warn, 2 fail"},
        {"15", {}, {"block 1", "block 3"}, "4 blocks, 0 straps: 0 warn, 4 fail"},
        {"15", {}, {}, "4 blocks, 0 straps: 0 warn, 4 fail"},
        {"16", {"--missing", "1,5"}, {"missing 1", "missing 5", "block 2", "block 3", "block 4"},
         "3 blocks, 0 straps: 0 warn, 3 fail"},
    };
    for (const auto& run : runs) {
        const Finished finished = inspect(run.day, run.more);
        EXPECT_EQ(finished.exitCode, 0) << finished.err;
        EXPECT_EQ(places(finished), run.walked) << run.day;
        EXPECT_THAT(finished.err, ::testing::EndsWith(run.summary + "\n"));
    }
    const std::vector<std::string> inspections =
        Lines(OutputOf(folder, {"-f", "json", "inspections", "--site", "Lab", "--string", "Six", "--db", db}));
    ASSERT_EQ(inspections.size(), 2u);
    EXPECT_EQ(nlohmann::json::parse(inspections[0])["readings"], 5);
    EXPECT_EQ(nlohmann::json::parse(inspections[0])["ambient_c"], 21);
    ExpectRefusals(folder, {"--demo-cells", "inspect", "--site", "Lab", "--string", "Six", "--db", db},
                   {{{"--start", "6"}, 2, "string Six has no block 6"}, {{"--missing", "9"}, 2, "string Six has no block 9"}});
}

// Three yearly inspections of the simulated string: two years on, the blocks it ages (15-25 % a
// year) are flagged against their baselines and forecast to cross the lines, the healthy ones pass
// and are not; the loose straps fail when they are first measured, the one working loose against its
// first reading later, the warm block on temperature.
// inspect judges each reading against the inspection so far; readings, once it is whole.
TEST(CliStrings, YearlyInspectionsOfTheSimulatedStringFlagAndForecastItsAgedBlocks)
{
    const TempFolder folder;
    const std::string db = (folder / "strings.db").string();
    constexpr int Seed = 3;
    const sim::BatteryString truth(Seed, sim::DefaultStringBlocks);
    OutputOf(folder, {"site", "add", "Plant", "--db", db});
    OutputOf(folder, {"string", "add", "--site", "Plant", "UPS", "--blocks", "24", "--nominal", "12", "--chemistry", "vrla",
                      "--straps", "--installed", "2021-01-01", "--db", db});
    for (const char* year : {"2022", "2023", "2024"}) {
        SCOPED_TRACE(year);
        const Finished run = RunCli(folder, {"--demo-string=" + std::to_string(Seed), "--demo-time",
                                             std::string(year) + "-06-01T09:00:00", "-f", "json", "inspect", "--site",
                                             "Plant", "--string", "UPS", "--ambient", "22", "--db", db});
        ASSERT_EQ(run.exitCode, 0) << run.err;
        const std::vector<std::string> walked = Lines(run.out);
        ASSERT_FALSE(walked.empty());
        EXPECT_EQ(Lines(OutputOf(folder, {"-f", "json", "inspections", "--site", "Plant", "--string", "UPS", "--db", db}))
                      .size(),
                  std::string(year) == "2022" ? 1u : std::string(year) == "2023" ? 2u : 3u);
        const std::string inspection = nlohmann::json::parse(walked.back())["inspection"].dump();
        const std::vector<std::string> lines =
            Lines(OutputOf(folder, {"-f", "json", "readings", "--inspection", inspection, "--db", db}));
        EXPECT_EQ(lines.size(), walked.size());
        int blocks = 0;
        for (const std::string& line : lines) {
            const nlohmann::json reading = nlohmann::json::parse(line);
            const int position = reading["position"];
            const nlohmann::json& verdicts = reading["verdicts"];
            if (reading["kind"] == "strap") {
                const bool first = std::string(year) == "2022";
                const bool failing = first ? truth.Loose(position) : truth.LooseningPerYear(position) > 0;
                EXPECT_EQ(verdicts["strap"], failing ? "fail" : "pass") << line;
                continue;
            }
            ++blocks;
            const bool warm = truth.WarmBlock() == position;
            EXPECT_EQ(verdicts["temperature"], warm ? "fail" : "pass") << line;
            EXPECT_EQ(verdicts["float-voltage"], "pass") << line;
            if (std::string(year) == "2024")
                EXPECT_EQ(verdicts["baseline"] == "pass", !truth.Aged(position)) << line;
            else
                EXPECT_EQ(verdicts["baseline"], "pass") << "under +30 % within a year: " << line;
        }
        EXPECT_EQ(blocks, 24);
        EXPECT_THAT(run.err, HasSubstr("24 blocks, "));
    }
    const std::vector<std::string> trends =
        Lines(OutputOf(folder, {"-f", "json", "trend", "--site", "Plant", "--string", "UPS", "--db", db}));
    ASSERT_EQ(trends.size(), 24u);
    int aged = 0;
    for (const std::string& line : trends) {
        const nlohmann::json trend = nlohmann::json::parse(line);
        const int block = trend["block"];
        EXPECT_EQ(trend["baseline"], "settled") << "the 2022 inspection came 17 months after installation";
        ASSERT_EQ(trend["inspections"].size(), 3u);
        EXPECT_EQ(trend["inspections"][0]["date"], "2022-06-01");
        EXPECT_EQ(trend["inspections"][0]["change_pct"], 0) << "the baseline's own inspection";
        EXPECT_EQ(trend["inspections"][2]["change_pct"], trend["change_pct"]);
        EXPECT_GT(trend["inspections"][2]["resistance_mohm"].get<double>(), 3);
        if (truth.Aged(block)) {
            ++aged;
            EXPECT_GT(trend["slope_pct_per_year"].get<double>(), 10) << line;
            EXPECT_FALSE(trend["fail_forecast"].is_null()) << line;
            EXPECT_LE(trend["warn_forecast"].get<std::string>(), "2024-06-01") << "warns now: " << line;
        } else {
            EXPECT_LT(trend["slope_pct_per_year"].get<double>(), 5) << line;
            EXPECT_TRUE(trend["warn_forecast"].is_null() || trend["warn_forecast"].get<std::string>() > "2030") << line;
        }
    }
    EXPECT_GE(aged, 2) << "the seed ages a few blocks";
}

} // namespace
} // namespace voltaryn
