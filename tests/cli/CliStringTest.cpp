// Battery strings from the command line: sites and strings kept, refused as a script's author
// needs, and walked with the probes.
#include "cli/CliRun.h"
#include "sim/BatteryString.h"

#include <gmock/gmock.h>
#include <nlohmann/json.hpp>

#include <map>
#include <set>
#include <tuple>

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
                     "string UPS A has no inspection 7"},
                    {{"string", "edit", "--site", "Plant 2", "UPS B", "--blocks", "3"}, 2, "there is no string UPS B at site Plant 2"},
                    {{"string", "edit", "--site", "Plant 2", "DC", "--straps", "--no-straps"}, 2,
                     "give --straps or --no-straps, not both"},
                    {{"string", "edit", "--site", "Plant 2", "DC", "--cells-per-block", "5"}, 2,
                     "the block's cells do not make its nominal voltage"}};
    for (Refusal& refusal : refusals)
        refusal.args = Join(refusal.args, {"--db", db});
    ExpectRefusals(folder, {}, refusals);
    const std::vector<nlohmann::json> strings = JsonLines(OutputOf(folder, {"-f", "json", "string", "list", "--db", db}));
    ASSERT_EQ(strings.size(), 2u);
    EXPECT_EQ(strings[0], nlohmann::json::parse(R"({"site":"Plant 2","string":"DC","blocks":24,"nominal_v":2,
                                                  "chemistry":"vla","cells_per_block":1,"straps":false,"installed":null})"));
    EXPECT_EQ(strings[1]["installed"], "2021-01-01");
    EXPECT_EQ(strings[1]["cells_per_block"], 6) << "a 12 V lead-acid block holds six cells";
    // An edit changes the figures given; a new voltage takes its cells' default again.
    const Args editDc{"-f", "json", "string", "edit", "--site", "Plant 2", "DC", "--db", db};
    const auto edited = [&](const Args& more) { return nlohmann::json::parse(OutputOf(folder, Join(editDc, more))); };
    EXPECT_EQ(edited({"--nominal", "12", "--installed", "2019-04-01", "--straps"}),
              nlohmann::json::parse(R"({"site":"Plant 2","string":"DC","blocks":24,"nominal_v":12,"chemistry":"vla",
                                        "cells_per_block":6,"straps":true,"installed":"2019-04-01"})"));
    const nlohmann::json cleared = edited({"--installed", "none", "--no-straps", "--blocks", "12"});
    EXPECT_EQ(std::tuple(cleared["installed"], cleared["straps"], cleared["blocks"], cleared["cells_per_block"]),
              std::tuple(nlohmann::json(), nlohmann::json(false), nlohmann::json(12), nlohmann::json(6)));

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
        for (const nlohmann::json& reading : JsonLines(run.out))
            walked.push_back(reading["kind"].get<std::string>() + " " + std::to_string(reading["position"].get<int>()));
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
    const std::vector<nlohmann::json> inspections =
        JsonLines(OutputOf(folder, {"-f", "json", "inspections", "--site", "Lab", "--string", "Six", "--db", db}));
    ASSERT_EQ(inspections.size(), 2u);
    EXPECT_EQ(inspections[0]["readings"], 5);
    EXPECT_EQ(inspections[0]["ambient_c"], 21);
    ExpectRefusals(folder, {"--demo-cells", "inspect", "--site", "Lab", "--string", "Six", "--db", db},
                   {{{"--start", "6"}, 2, "string Six has no block 6"}, {{"--missing", "9"}, 2, "string Six has no block 9"}});
}

constexpr int Seed = 3;

// Site "Plant" and its string "UPS" as the simulated one is: 24 blocks of 12 V VRLA with straps.
class CliSimulatedString : public ::testing::Test {
protected:
    CliSimulatedString()
    {
        OutputOf(folder, {"site", "add", "Plant", "--db", db});
        OutputOf(folder, {"string", "add", "--site", "Plant", "UPS", "--blocks", "24", "--nominal", "12", "--chemistry",
                          "vrla", "--straps", "--installed", "2021-01-01", "--db", db});
    }

    // The simulated string's inspection on 1 June of `year`, in JSON lines.
    Finished InspectIn(const std::string& year) const
    {
        return RunCli(folder, {"--demo-string=" + std::to_string(Seed), "--demo-time", year + "-06-01T09:00:00", "-f",
                               "json", "inspect", "--site", "Plant", "--string", "UPS", "--ambient", "22", "--db", db});
    }

    const TempFolder folder;
    const std::string db = (folder / "strings.db").string();
    const sim::BatteryString truth{Seed, sim::DefaultStringBlocks};
};

// Three yearly inspections of the simulated string: two years on, the blocks it ages (15-25 % a
// year) are flagged against their baselines and forecast to cross the lines, the healthy ones pass
// and are not; the loose straps fail when they are first measured, the one working loose against its
// first reading later, the warm block on temperature.
// inspect judges each reading against the inspection so far; readings, once it is whole.
TEST_F(CliSimulatedString, YearlyInspectionsFlagAndForecastItsAgedBlocks)
{
    for (const char* year : {"2022", "2023", "2024"}) {
        SCOPED_TRACE(year);
        const Finished run = InspectIn(year);
        ASSERT_EQ(run.exitCode, 0) << run.err;
        const std::vector<std::string> walked = Lines(run.out);
        ASSERT_FALSE(walked.empty());
        EXPECT_EQ(Lines(OutputOf(folder, {"-f", "json", "inspections", "--site", "Plant", "--string", "UPS", "--db", db}))
                      .size(),
                  std::string(year) == "2022" ? 1u : std::string(year) == "2023" ? 2u : 3u);
        const std::string inspection = nlohmann::json::parse(walked.back())["inspection"].dump();
        const std::vector<nlohmann::json> readings =
            JsonLines(OutputOf(folder, {"-f", "json", "readings", "--inspection", inspection, "--db", db}));
        EXPECT_EQ(readings.size(), walked.size());
        int blocks = 0;
        for (const nlohmann::json& reading : readings) {
            const int position = reading["position"];
            const nlohmann::json& verdicts = reading["verdicts"];
            if (reading["kind"] == "strap") {
                const bool first = std::string(year) == "2022";
                const bool failing = first ? truth.Loose(position) : truth.LooseningPerYear(position) > 0;
                EXPECT_EQ(verdicts["strap"], failing ? "fail" : "pass") << reading;
                continue;
            }
            ++blocks;
            const bool warm = truth.WarmBlock() == position;
            EXPECT_EQ(verdicts["temperature"], warm ? "fail" : "pass") << reading;
            EXPECT_EQ(verdicts["float-voltage"], "pass") << reading;
            if (std::string(year) == "2024")
                EXPECT_EQ(verdicts["baseline"] == "pass", !truth.Aged(position)) << reading;
            else
                EXPECT_EQ(verdicts["baseline"], "pass") << "under +30 % within a year: " << reading;
        }
        EXPECT_EQ(blocks, 24);
        EXPECT_THAT(run.err, HasSubstr("24 blocks, "));
    }
    const std::vector<nlohmann::json> trends =
        JsonLines(OutputOf(folder, {"-f", "json", "trend", "--site", "Plant", "--string", "UPS", "--db", db}));
    ASSERT_EQ(trends.size(), 24u);
    int aged = 0;
    for (const nlohmann::json& trend : trends) {
        const int block = trend["block"];
        EXPECT_EQ(trend["baseline"], "settled") << "the 2022 inspection came 17 months after installation";
        ASSERT_EQ(trend["inspections"].size(), 3u);
        EXPECT_EQ(trend["inspections"][0]["date"], "2022-06-01");
        EXPECT_EQ(trend["inspections"][0]["change_pct"], 0) << "the baseline's own inspection";
        EXPECT_EQ(trend["inspections"][2]["change_pct"], trend["change_pct"]);
        EXPECT_GT(trend["inspections"][2]["resistance_mohm"].get<double>(), 3);
        if (truth.Aged(block)) {
            ++aged;
            EXPECT_GT(trend["slope_pct_per_year"].get<double>(), 10) << trend;
            EXPECT_FALSE(trend["fail_forecast"].is_null()) << trend;
            EXPECT_LE(trend["warn_forecast"].get<std::string>(), "2024-06-01") << "warns now: " << trend;
        } else {
            EXPECT_LT(trend["slope_pct_per_year"].get<double>(), 5) << trend;
            EXPECT_TRUE(trend["warn_forecast"].is_null() || trend["warn_forecast"].get<std::string>() > "2030") << trend;
        }
    }
    EXPECT_GE(aged, 2) << "the seed ages a few blocks";
}

// What pdftotext reads of a PDF, its ligatures ("ﬁ", "ﬂ", "ﬀ") spelt out.
std::string PlainPdfText(const std::filesystem::path& pdf)
{
    std::string text = PdfText(pdf);
    for (const auto& [ligature, letters] : {std::pair<std::string, std::string>{"ﬁ", "fi"}, {"ﬂ", "fl"}, {"ﬀ", "ff"}})
        for (std::size_t at = text.find(ligature); at != std::string::npos; at = text.find(ligature, at))
            text.replace(at, ligature.size(), letters);
    return text;
}

struct VerdictCounts {
    int read = 0;
    std::map<std::string, int> byVerdict;
};

// The report of the last yearly inspection beside the first holds a row for every place, the
// summary as readings counts it, and the trend of each block that warns or fails with the
// forecast trend gives it (the aged blocks among them), no other; it is refused for an inspection
// there is not, one of another string, or a file it cannot write, leaving the report there is.
TEST_F(CliSimulatedString, AnInspectionsReportHoldsEveryPlaceItsSummaryAndTheTrendsOfTheBlocksFlagged)
{
    std::vector<std::string> inspections;
    for (const char* year : {"2022", "2023", "2024"}) {
        const Finished run = InspectIn(year);
        ASSERT_EQ(run.exitCode, 0) << run.err;
        inspections.push_back(nlohmann::json::parse(Lines(run.out).back())["inspection"].dump());
    }
    // The clock of the last inspection, from which trend counts its forecasts as the report does.
    const Args onItsDay{"--demo-string=" + std::to_string(Seed), "--demo-time", "2024-06-01T09:00:00"};
    const std::string pdf = (folder / "report.pdf").string();
    OutputOf(folder, Join(onItsDay, {"inspection-report", "--inspection", inspections[2], "--against", inspections[0],
                                     "-o", pdf, "--db", db}));
    const std::string text = PlainPdfText(pdf);
    const std::vector<std::string> lines = Lines(text);
    const auto holds = [&lines](const std::string& line) { return std::ranges::find(lines, line) != lines.end(); };
    const auto contains = [&text](const std::string& part) { return text.find(part) != std::string::npos; };
    for (int block = 1; block <= sim::DefaultStringBlocks; ++block) {
        EXPECT_TRUE(holds("block " + std::to_string(block))) << block;
        if (block < sim::DefaultStringBlocks) {
            EXPECT_TRUE(holds("strap " + std::to_string(block) + "→" + std::to_string(block + 1))) << block;
        }
    }
    EXPECT_TRUE(contains("Compared with inspection " + inspections[0] + ", started 2022-06-01 09:00."));
    EXPECT_TRUE(holds("Inspection " + inspections[0])) << "the compared inspection's column";

    std::map<std::string, VerdictCounts> counts;  // by kind
    std::set<int> flagged;
    for (const nlohmann::json& reading :
         JsonLines(OutputOf(folder, {"-f", "json", "readings", "--inspection", inspections[2], "--db", db}))) {
        if (reading["kind"] == "missing")
            continue;
        const std::string verdict = reading["verdict"];
        VerdictCounts& kind = counts[reading["kind"]];
        ++kind.read;
        ++kind.byVerdict[verdict];
        if (reading["kind"] == "block" && (verdict == "warn" || verdict == "fail"))
            flagged.insert(reading["position"].get<int>());
    }
    for (const auto& [kind, places] : {std::pair<std::string, int>{"block", 24}, {"strap", 23}}) {
        VerdictCounts& of = counts[kind];
        const std::string summary = (kind == "block" ? "Blocks: " : "Straps: ") + std::to_string(of.read) + " of " +
                                    std::to_string(places) + " read; " + std::to_string(of.byVerdict["pass"]) + " pass, " +
                                    std::to_string(of.byVerdict["warn"]) + " warn, " + std::to_string(of.byVerdict["fail"]) +
                                    " fail, " + std::to_string(of.byVerdict["none"]) + " not judged.";
        EXPECT_TRUE(contains(summary)) << summary;
    }

    for (int block = 1; block <= sim::DefaultStringBlocks; ++block) {
        if (truth.Aged(block)) {
            EXPECT_TRUE(flagged.contains(block)) << "aged block " << block << " warns or fails two years on";
        }
    }
    EXPECT_TRUE(contains("Trends of the blocks that warn or fail"));
    for (const nlohmann::json& trend :
         JsonLines(OutputOf(folder, Join(onItsDay, {"-f", "json", "trend", "--site", "Plant", "--string", "UPS", "--db", db})))) {
        const int block = trend["block"];
        if (flagged.contains(block)) {
            EXPECT_TRUE(holds(trend["forecast"])) << trend["forecast"];
        } else {
            EXPECT_FALSE(contains("block " + std::to_string(block) + ":")) << "block " << block << " passes";
        }
    }

    // Another string with an inspection of its own, not to be compared with.
    OutputOf(folder, {"string", "add", "--site", "Plant", "B", "--blocks", "2", "--nominal", "12", "--chemistry", "vrla",
                      "--straps", "--db", db});
    const Finished other = RunCli(folder, {"--demo-string", "--demo-blocks", "2", "--demo-time", "2024-06-02T09:00:00", "-f",
                                           "json", "inspect", "--site", "Plant", "--string", "B", "--db", db});
    ASSERT_EQ(other.exitCode, 0) << other.err;
    const std::string otherInspection = nlohmann::json::parse(Lines(other.out).back())["inspection"].dump();
    const std::string written = FileBytes(pdf);
    const std::string aFolder = (folder / "a folder").string();
    std::filesystem::create_directory(aFolder);
    const std::string last = inspections[2];
    const std::vector<Finished> runs = ExpectRefusals(folder, {"inspection-report", "--db", db}, {
        {{"--inspection", "99", "-o", pdf}, 2, "There is no inspection 99"},
        {{"--inspection", last, "--against", otherInspection, "-o", pdf}, 2,
         "Inspection " + otherInspection + " is of string B at site Plant, not of string UPS at site Plant"},
        {{"--inspection", last, "--against", "99", "-o", pdf}, 2, "There is no inspection 99 to compare with"},
        {{"--inspection", "0", "-o", pdf}, 2, "--inspection"},
        {{"--inspection", last}, 2, "--output is required"},
    });
    for (const Finished& run : runs)
        EXPECT_EQ(Lines(run.err).size(), 1u) << run.err;
    EXPECT_EQ(FileBytes(pdf), written) << "a refused report leaves the file there as it was";
    ExpectRefusals(folder, {"inspection-report", "--db", db, "--inspection", last, "-o"}, {
        {{(folder / "missing" / "r.pdf").string()}, 4, "r.pdf: No such file or directory"},
        {{aFolder}, 4, "cannot write " + aFolder + ": Is a directory"},
    });
}

} // namespace
} // namespace voltaryn
