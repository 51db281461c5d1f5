// stats, import-capacity and pack as a script runs them, on batches sorted from the simulated
// cell bench.
#include "cli/CliRun.h"

#include <gmock/gmock.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <fstream>
#include <map>
#include <set>

namespace voltaryn {
namespace {

using ::testing::HasSubstr;

// A capacity file for cells #0001 to #`count`: 3000 mAh plus a little for each.
std::string CapacityCsv(int count)
{
    std::string csv = "Cell ID;Capacity (Ah)\n";
    for (int i = 1; i <= count; ++i)
        csv += CellName(i) + ";3," + std::to_string(100 + 7 * i % 50) + '\n';
    return csv;
}

// SortedBatch() with CapacityCsv() imported.
std::string SortedBatchWithCapacities(const TempFolder& folder, int count)
{
    const std::string db = SortedBatch(folder, count);
    Write(folder / "capacities.csv", CapacityCsv(count));
    OutputOf(folder, {"import-capacity", "--batch", "lot", "--db", db, (folder / "capacities.csv").string()});
    return db;
}

std::vector<nlohmann::json> CellsOf(const TempFolder& folder, const std::string& db)
{
    return JsonLines(OutputOf(folder, {"-f", "json", "cells", "--batch", "lot", "--db", db}));
}

TEST(CliCapacity, BadLinesAreToldAndNothingIsImportedUnlessSkipped)
{
    TempFolder folder;
    const std::string db = SortedBatch(folder, 4);
    Write(folder / "good.csv", CapacityCsv(4));
    Write(folder / "bad.csv", "id,mah\n#0001,3000\n#0002,abc\nX9,2900\n#0004,2950\n");
    Write(folder / "columns.csv", "name,energy\n#0001,1\n");
    Write(folder / "spelled.csv", "id,capacity\n2,3000\n#0003,2.95 Ah\n 0001 ,3100\n#0002,1\n");
    std::filesystem::create_directory(folder / "folder.csv");
    // The arguments, the exit code, the error output (files named without their folder), the
    // output, and the capacities of the four cells afterwards.
    const std::tuple<Args, int, const char*, const char*, std::vector<std::optional<double>>> cases[] = {
        {{"bad.csv"}, 4,
         "line 3: capacity 'abc' is not a number\nline 4: cell 'X9' is not in batch lot\n"
         "voltaryn-cli: 2 bad lines in bad.csv: nothing imported (--skip-bad imports the good ones)\n",
         "", {std::nullopt, std::nullopt, std::nullopt, std::nullopt}},
        {{"columns.csv", "--skip-bad"}, 4,
         "line 1: no cell ID column (a header named id, cell, cell id or serial)\n"
         "line 1: no capacity column (a header named capacity, capacity_mah, mah or cap)\n"
         "voltaryn-cli: 2 bad lines in columns.csv: nothing imported\n",
         "", {std::nullopt, std::nullopt, std::nullopt, std::nullopt}},
        {{"bad.csv", "--skip-bad"}, 0,
         "line 3: capacity 'abc' is not a number\nline 4: cell 'X9' is not in batch lot\n",
         "2 cells of batch lot got a capacity; 2 bad lines skipped\n", {3000, std::nullopt, std::nullopt, 2950}},
        // Each capacity replaced is told, old and new.
        {{"good.csv"}, 0, "#0001: 3000 → 3107 mAh\n#0004: 2950 → 3128 mAh\n", "4 cells of batch lot got a capacity\n",
         {3107, 3114, 3121, 3128}},
        {{"missing.csv"}, 4, "voltaryn-cli: Cannot read \"missing.csv\": No such file or directory\n", "",
         {3107, 3114, 3121, 3128}},
        {{"folder.csv"}, 4, "voltaryn-cli: Cannot read \"folder.csv\": Is a directory\n", "", {3107, 3114, 3121, 3128}},
        {{"good.csv", "--capacity-column", "volts"}, 4,
         "line 1: no column 'volts'\n"
         "voltaryn-cli: 1 bad line in good.csv: nothing imported (--skip-bad imports the good ones)\n",
         "", {3107, 3114, 3121, 3128}},
        // A cell's number in any spelling names the one cell.
        {{"spelled.csv", "--skip-bad"}, 0,
         "line 5: cell '#0002' is already on line 2\n#0002: 3114 → 3000 mAh\n#0003: 3121 → 2950 mAh\n"
         "#0001: 3107 → 3100 mAh\n",
         "3 cells of batch lot got a capacity; 1 bad line skipped\n", {3100, 3000, 2950, 3128}},
    };
    for (const auto& [names, exitCode, errors, out, expected] : cases) {
        Args args{"import-capacity", "--batch", "lot", "--db", db};
        for (const std::string& arg : names)
            args.push_back(arg.ends_with(".csv") ? (folder / arg).string() : arg);
        const Finished run = RunCli(folder, args);
        SCOPED_TRACE(names.front());
        EXPECT_EQ(run.exitCode, exitCode) << run.err;
        std::string told = run.err;
        for (std::size_t at; (at = told.find((folder / "").string())) != std::string::npos;)
            told.erase(at, (folder / "").string().size());
        EXPECT_EQ(told, errors);
        EXPECT_EQ(run.out, out);
        std::vector<std::optional<double>> capacities;
        for (const nlohmann::json& cell : CellsOf(folder, db))
            capacities.push_back(cell["capacity_mah"].is_null() ? std::nullopt : std::optional(cell["capacity_mah"].get<double>()));
        EXPECT_EQ(capacities, expected);
    }
}

TEST(CliPack, JsonIsOneObjectOfTheBuiltPack)
{
    TempFolder folder;
    std::map<std::string, double> capacities;
    std::string csv = "grade,cell,capacity_mah,resistance_mohm,voltage_v\n";
    for (int i = 0; i < 11; ++i) {
        const std::string id = "C" + std::to_string(i);
        capacities[id] = 2900 + 37 * (i * 5 % 11);
        csv += "A," + id + "," + std::to_string(capacities[id]) + "," + std::to_string(18 + i % 4) + ",3.6\n";
    }
    Write(folder / "cells.csv", csv);
    const Args seeded{"-f", "json", "pack", "--cells", (folder / "cells.csv").string(), "-s", "3", "-p", "3",
                      "--objective", "capacity", "--seed", "7"};
    const std::string out = OutputOf(folder, seeded);
    ASSERT_EQ(Lines(out).size(), 1u) << "one object";
    const nlohmann::ordered_json pack = nlohmann::ordered_json::parse(out);
    std::vector<std::string> keys;
    for (const auto& [key, value] : pack.items())
        keys.push_back(key);
    EXPECT_EQ(keys, (std::vector<std::string>{"series", "parallel", "objective", "groups", "capacity_spread_mah",
                                              "resistance_spread_mohm", "unused"}));
    EXPECT_EQ(pack["series"], 3);
    EXPECT_EQ(pack["parallel"], 3);
    EXPECT_EQ(pack["objective"], "capacity");
    ASSERT_EQ(pack["groups"].size(), 3u);
    std::set<std::string> seen;
    double low = 1e9;
    double high = 0;
    for (const nlohmann::ordered_json& group : pack["groups"]) {
        ASSERT_EQ(group["cells"].size(), 3u);
        double sum = 0;
        for (const std::string id : group["cells"]) {
            seen.insert(id);
            sum += capacities.at(id);
        }
        EXPECT_DOUBLE_EQ(group["capacity_mah"].get<double>(), sum);
        EXPECT_TRUE(group["resistance_mohm"].is_number());
        low = std::min(low, sum);
        high = std::max(high, sum);
    }
    EXPECT_DOUBLE_EQ(pack["capacity_spread_mah"].get<double>(), high - low);
    ASSERT_EQ(pack["unused"].size(), 2u);
    for (const std::string id : pack["unused"])
        seen.insert(id);
    EXPECT_EQ(seen.size(), 11u) << "every cell once";
    EXPECT_EQ(OutputOf(folder, seeded), out) << "the same seed, the same pack";

    // Without resistances: the capacity objective, and no resistance figures.
    Write(folder / "plain.csv", "cell,capacity_mah\nA,3000\nB,3010\nC,2990\nD,3005\n");
    const auto packPlain = [&folder](const char* format) {
        return OutputOf(folder, {"-f", format, "pack", "--cells", (folder / "plain.csv").string(), "-s", "2", "-p", "2"});
    };
    const nlohmann::json plainPack = nlohmann::json::parse(packPlain("json"));
    EXPECT_EQ(plainPack["objective"], "capacity");
    EXPECT_TRUE(plainPack["resistance_spread_mohm"].is_null());
    EXPECT_TRUE(plainPack["groups"][0]["resistance_mohm"].is_null());
    EXPECT_DOUBLE_EQ(plainPack["capacity_spread_mah"].get<double>(), 5);

    const std::vector<std::string> lines = Lines(packPlain("csv"));
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], "group,position,cell,capacity_mah,resistance_mohm");
    EXPECT_EQ(lines[1], "1,1,A,3000,");
    EXPECT_EQ(packPlain("text"), "2S2P (capacity): capacity spread 5.00 mAh\n"
                        "group 1:  A  D  6005.0 mAh\n"
                        "group 2:  B  C  6000.0 mAh\n"
                        "unused: none\n");
}

TEST(CliPack, MistakesAreToldWithTheirExitCodes)
{
    TempFolder folder;
    const std::string db = SortedBatchWithCapacities(folder, 6);
    Write(folder / "ok.csv", "cell,capacity_mah,resistance_mohm,grade\nA,3000,20,A\nB,3010,21,A\nC,2990,19,B\n");
    Write(folder / "plain.csv", "cell,capacity_mah\nA,3000\nB,3010\n");
    Write(folder / "twice.csv", "cell,capacity_mah\nA,3000\nA,3010\n");
    Write(folder / "columns.csv", "id,capacity\nA,3000\n");
    Write(folder / "numbers.csv", "cell;capacity_mah;resistance_mohm\nA;3000,5;x\nB;;20\n");
    Write(folder / "volts.csv", "cell,capacity_mah,voltage_v\nA,3000,3.26\nB,3010,4.10\n");
    SortedBatch(folder, 4, "no capacity");
    const auto file = [&folder](const char* name) { return (folder / name).string(); };
    const std::vector<Finished> runs = ExpectRefusals(folder, {"pack"}, {
        {{"--cells", file("ok.csv"), "-s", "2", "-p", "2"}, 2, "needs 4 cells, the file has 3 eligible: 1 missing"},
        {{"--cells", file("ok.csv"), "-s", "1", "-p", "2", "--grades", "B"}, 2, "needs 2 cells, the file has 1 eligible: 1 missing"},
        {{"--cells", file("ok.csv"), "-s", "1", "-p", "1", "--grades", "Z"}, 2, "needs 1 cell, the file has 0 eligible: 1 missing"},
        {{"--batch", "lot", "--db", db, "-s", "4", "-p", "2", "--grades", "A,B,C,Reject"}, 2,
         "needs 8 cells, the batch has 5 eligible: 3 missing (left out: "},  // a reject never is
        {{"--batch", "lot", "--db", db, "-s", "4", "-p", "2"}, 2, "needs 8 cells, the batch has 5 eligible: 3 missing"},
        {{"--batch", "none", "--db", db, "-s", "1", "-p", "1"}, 2, "there is no batch none"},
        {{"--cells", file("ok.csv"), "-s", "0", "-p", "2"}, 2, "--series must be a whole number from 1 to 1000, not 0"},
        {{"--cells", file("ok.csv"), "-s", "1", "--parallel=-1"}, 2, "--parallel must be a whole number from 1 to 1000, not -1"},
        {{"-s", "1", "-p", "1"}, 2, "pack needs --batch or --cells, one of them"},
        {{"--cells", file("ok.csv"), "--batch", "lot", "-s", "1", "-p", "1"}, 2, "excludes"},
        {{"--cells", file("ok.csv"), "-s", "1", "-p", "1", "--save", "P"}, 2, "--save needs --batch"},
        {{"--cells", file("plain.csv"), "-s", "1", "-p", "2", "--objective", "balanced"}, 4,
         "the balanced objective needs the cells' resistance: " + file("plain.csv") + " has no resistance_mohm column"},
        {{"--cells", file("twice.csv"), "-s", "1", "-p", "1"}, 4, "line 3: cell 'A' is already on line 2\n"},
        {{"--cells", file("columns.csv"), "-s", "1", "-p", "1"}, 4, "line 1: no column 'cell'\nline 1: no column 'capacity_mah'\n"},
        {{"--cells", file("numbers.csv"), "-s", "1", "-p", "1"}, 4,
         "line 2: resistance_mohm 'x' is not a number\nvoltaryn-cli: 1 bad line in " + file("numbers.csv")},
        {{"--cells", file("missing.csv"), "-s", "1", "-p", "1"}, 4,
         "Cannot read \"" + file("missing.csv") + "\": No such file or directory"},
        {{"--cells", (folder / "").string(), "-s", "1", "-p", "1"}, 4, "\": Is a directory"},
        {{"--batch", "no capacity", "--db", db, "-s", "4", "-p", "2"}, 2, "without a capacity)"},
        {{"--cells", file("ok.csv"), "-s", "1", "-p", "2", "--max-group-voltage-spread", "50"}, 4,
         "--max-group-voltage-spread needs the cells' voltage: " + file("ok.csv") + " has no voltage_v column"},
        {{"--cells", file("volts.csv"), "-s", "1", "-p", "2", "--max-group-voltage-spread", "50"}, 4,
         "needs 1 group of 2 cells within 0.05 V, the eligible cells make 0"},
        {{"--cells", file("volts.csv"), "-s", "1", "-p", "2", "--max-group-voltage-spread=-1"}, 2,
         "--max-group-voltage-spread"},
    });
    for (const Finished& run : runs)
        EXPECT_EQ(run.out, "");
}

// A saved pack shows in the batch's cell list; its cells, and rejects, are not offered to the next pack,
// from the batch or from its exported cells.
TEST(CliPack, SavedPacksTakeTheirCells)
{
    TempFolder folder;
    const std::string db = SortedBatchWithCapacities(folder, 8);
    const auto pack = [&](const char* name) {
        return RunCli(folder, {"-f", "json", "pack", "--batch", "lot", "--db", db, "-s", "1", "-p", "3", "--grades",
                               "A,B,C,Reject", "--save", name});
    };
    const Finished packs[] = {pack("P1"), pack("P2"), pack("P3")};
    EXPECT_THAT(packs[2].err, HasSubstr("needs 3 cells, the batch has 0 eligible: 3 missing (left out: 2 rejected, 6 in a saved pack)"));
    // The batch's cells as `cells` exports them are left out of a pack by the same rule.
    const std::string exported = (folder / "cells.csv").string();
    Write(exported, OutputOf(folder, {"-f", "csv", "cells", "--batch", "lot", "--db", db}));
    EXPECT_THAT(RunCli(folder, {"pack", "--cells", exported, "-s", "1", "-p", "1"}).err,
                HasSubstr("needs 1 cell, the file has 0 eligible: 1 missing (left out: 2 rejected, 6 in a saved pack)"));
    // A packed cell keeps its capacity on a new import unless told to change it.
    std::string csv = "cell,capacity_mah\n";
    for (int i = 1; i <= 8; ++i)
        csv += CellName(i) + ",4000\n";
    Write(folder / "again.csv", csv);
    const Args reimport{"import-capacity", "--batch", "lot", "--db", db, (folder / "again.csv").string()};
    for (const bool changePacked : {false, true}) {
        const Finished run = RunCli(folder, changePacked ? Join(reimport, {"--change-packed"}) : reimport);
        EXPECT_EQ(run.exitCode, 0) << run.err;
        const auto kept = std::ranges::count_if(Lines(run.err), [](const std::string& line) {
            return line.find(", kept: it is in saved pack P") != std::string::npos;
        });
        EXPECT_EQ(kept, changePacked ? 0 : 6) << run.err;
        for (const nlohmann::json& cell : CellsOf(folder, db))
            EXPECT_EQ(cell["capacity_mah"] == 4000, changePacked || cell["pack"] == "") << cell;
    }
    std::map<std::string, std::string> packOf;
    for (const nlohmann::json& cell : CellsOf(folder, db))
        packOf[cell["cell"].get<std::string>()] = cell["pack"].get<std::string>();
    for (const std::size_t saved : {0u, 1u}) {
        ASSERT_EQ(packs[saved].exitCode, 0) << packs[saved].err;
        const nlohmann::json packed = nlohmann::json::parse(packs[saved].out);
        for (const nlohmann::json& group : packed["groups"])
            for (const std::string id : group["cells"])
                EXPECT_EQ(packOf.at(id), "P" + std::to_string(saved + 1)) << id;
    }
}

TEST(CliStats, FiguresOfABatchInTextAndJson)
{
    TempFolder folder;
    const std::string db = SortedBatch(folder, 10);
    const std::string json = OutputOf(folder, {"-f", "json", "stats", "--batch", "lot", "--db", db});
    ASSERT_EQ(Lines(json).size(), 1u);
    const nlohmann::json stats = nlohmann::json::parse(json);
    EXPECT_EQ(stats["count"], 10);
    long long counted = 0;
    double yield = 0;
    std::vector<std::string> grades;
    for (const nlohmann::json& grade : stats["grades"]) {
        counted += grade["count"].get<long long>();
        yield += grade["yield_percent"].get<double>();
        grades.push_back(grade["grade"]);
    }
    EXPECT_EQ(counted, 10);
    EXPECT_NEAR(yield, 100, 1e-9);
    EXPECT_EQ(grades, (std::vector<std::string>{"A", "B", "C", "Reject"})) << "the grade table's order";
    for (const char* figure : {"voltage_v", "resistance_mohm"}) {
        const nlohmann::json& spread = stats[figure];
        const std::vector<double> inOrder{spread["min"], spread["p5"], spread["median"], spread["p95"], spread["max"]};
        EXPECT_TRUE(std::ranges::is_sorted(inOrder)) << figure << ": " << spread;
        EXPECT_TRUE(spread["std_dev"].is_number()) << figure;
    }
    EXPECT_TRUE(stats["capacity_mah"].is_null()) << "no capacity imported";
    EXPECT_EQ(stats["cpk_grade"], "A") << "the best grade by default";
    EXPECT_TRUE(stats["resistance_cpk"].is_null() && stats["voltage_cpk"].is_null()) << "no Cpk below 30 cells";

    const std::string text = OutputOf(folder, {"stats", "--batch", "lot", "--db", db, "--grade", "C"});
    EXPECT_THAT(text, ::testing::StartsWith("batch lot: 10 cells\n  grade A: "));
    EXPECT_THAT(text, HasSubstr("capacity mAh    none measured\n"));
    EXPECT_THAT(text, HasSubstr("Cpk against grade C: resistance too few cells (max 60 mOhm), voltage too few cells "
                                "(min 2.5 V)\n"));

    ExpectRefusals(folder, {}, {
        {{"stats", "--batch", "lot", "--db", db, "--grade", "Z"}, 2, "batch lot has no grade Z"},
        {{"stats", "--batch", "none", "--db", db}, 2, "there is no batch none"},
        {{"-f", "csv", "stats", "--batch", "lot", "--db", db}, 2, "stats writes text or json"},
    });

    const std::string one = OutputOf(folder, {"stats", "--batch", "one", "--db", SortedBatch(folder, 1, "one")});
    EXPECT_THAT(one, ::testing::StartsWith("batch one: 1 cell\n"));
    EXPECT_THAT(one, HasSubstr("         -"));  // no standard deviation of one cell
}

} // namespace
} // namespace voltaryn
