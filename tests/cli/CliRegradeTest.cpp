// regrade and history: a batch graded again under a new grade table, and a cell's time line.
#include "cli/CliRun.h"

#include <gmock/gmock.h>
#include <nlohmann/json.hpp>

namespace voltaryn {
namespace {

// A up to 20 mOhm, B from 20 to 40, each from 2.5 V; the defaults' C is gone.
constexpr const char* NewGrades =
    R"({"grades": [{"name": "A", "colour": "#2e7d32", "minVoltage": 2.5, "maxResistance": 20},
                   {"name": "B", "colour": "#9ccc65", "minVoltage": 2.5, "minResistance": 20, "maxResistance": 40}],
        "reject": {"name": "Reject", "colour": "#c62828"}})";

std::string GradeUnderNewTable(const nlohmann::json& cell)
{
    const double volts = cell["voltage_v"];
    const double ohms = cell["resistance_mohm"];
    if (volts < 2.5 || ohms > 40)
        return "Reject";
    return ohms <= 20 ? "A" : "B";
}

TEST(CliRegrade, GradesTheBatchAgainUnderItsNewTableAndWritesTheCellsThatChanged)
{
    TempFolder folder;
    const std::string db = SortedBatch(folder, 40);
    Write(folder / "grades.json", NewGrades);
    const std::vector<nlohmann::json> before = JsonLines(OutputOf(folder, {"-f", "json", "cells", "--batch", "lot", "--db", db}));
    const Finished regraded =
        RunCli(folder, {"-f", "json", "regrade", "--batch", "lot", "--db", db, "--grades", (folder / "grades.json").string()});
    ASSERT_EQ(regraded.exitCode, 0) << regraded.err;
    std::vector<nlohmann::json> expected;
    for (const nlohmann::json& cell : before)
        if (GradeUnderNewTable(cell) != cell["grade"])
            expected.push_back({{"batch", "lot"}, {"cell", cell["cell"]}, {"number", cell["number"]},
                                {"from", cell["grade"]}, {"to", GradeUnderNewTable(cell)}, {"pack", ""}});
    ASSERT_FALSE(expected.empty()) << "the bench's cells between 20 and 25 mOhm, and above 40, change";
    EXPECT_EQ(JsonLines(regraded.out), expected);
    EXPECT_THAT(regraded.err, ::testing::HasSubstr(std::to_string(expected.size()) + " of 40 cells graded again changed grade: "));
    const std::vector<nlohmann::json> after = JsonLines(OutputOf(folder, {"-f", "json", "cells", "--batch", "lot", "--db", db}));
    for (const nlohmann::json& cell : after)
        EXPECT_EQ(cell["grade"], GradeUnderNewTable(cell)) << cell.dump();

    // The report lists both tables with the cells each graded: all of them the new one's now.
    const std::string pdf = (folder / "lot.pdf").string();
    OutputOf(folder, {"report", "--batch", "lot", "--db", db, "-o", pdf});
    const std::string report = PdfText(pdf);
    EXPECT_THAT(report, ::testing::HasSubstr("Grade tables of this batch, the current one last:"));
    EXPECT_THAT(report, ::testing::HasSubstr("A: >= 2.5 V, <= 20 mΩ; B: >= 2.5 V, 20-40 mΩ; else Reject"));
    EXPECT_THAT(report, ::testing::Not(::testing::HasSubstr("graded by an earlier table")));

    const Finished again = RunCli(folder, {"regrade", "--batch", "lot", "--db", db});
    EXPECT_EQ(again.exitCode, 0);
    EXPECT_EQ(again.out, "");
    EXPECT_EQ(again.err, "0 of 40 cells graded again changed grade\n");

    Write(folder / "overlap.json", R"({"grades": [{"name": "A", "colour": "#2e7d32"}, {"name": "B", "colour": "#9ccc65"}],
                                       "reject": {"name": "Reject", "colour": "#c62828"}})");
    const std::vector<Finished> refused = ExpectRefusals(
        folder, {},
        {{{"regrade", "--batch", "none", "--db", db}, 2, "there is no batch none (see batches)"},
         {{"regrade", "--batch", "lot", "--grades", (folder / "overlap.json").string(), "--db", db}, 2, "grade 2 (\"B\")"},
         {{"regrade", "--batch", "lot", "--grades", (folder / "missing.json").string(), "--db", db}, 4, "missing.json"},
         {{"history", "--batch", "none", "--cell", "1", "--db", db}, 2, "there is no batch none (see batches)"},
         {{"history", "--batch", "lot", "--cell", "#0099", "--db", db}, 2, "Batch \"lot\" has no cell 99"},
         {{"history", "--batch", "lot", "--cell", "QR-9", "--db", db}, 2, "Batch \"lot\" has no cell \"QR-9\""},
         {{"history", "--batch", "lot", "--cell", "#0", "--db", db}, 2, "cell numbers start at 1"},
         {{"history", "--batch", "lot", "--db", db}, 2, "--cell is required"}});
    for (const Finished& run : refused)
        EXPECT_EQ(Lines(run.err).size(), 1u) << run.err;
    EXPECT_EQ(JsonLines(OutputOf(folder, {"-f", "json", "cells", "--batch", "lot", "--db", db})), after)
        << "a refused table changes nothing";
}

// A cell's time line: the first table, its capture, its recheck, the table that regraded it.
TEST(CliRegrade, HistoryListsACellsMeasurementsAndTheBatchsGradeTablesInTimeOrder)
{
    TempFolder folder;
    const std::string db = SortedBatch(folder, 3);
    OutputOf(folder, {"--demo-cells", "--demo-time", DemoTime, "--demo-days", "14", "recheck", "--batch", "lot", "--db",
                      db, "--count", "1"});
    Write(folder / "grades.json", NewGrades);
    OutputOf(folder, {"regrade", "--batch", "lot", "--db", db, "--grades", (folder / "grades.json").string()});
    const std::vector<nlohmann::json> history =
        JsonLines(OutputOf(folder, {"-f", "json", "history", "--batch", "lot", "--cell", "1", "--db", db}));
    std::vector<std::string> events;
    for (const nlohmann::json& line : history)
        events.push_back(line["event"]);
    ASSERT_THAT(events, ::testing::ElementsAre("grades", "sort", "recheck", "grades"));
    EXPECT_EQ(history[0]["grades"], "A: >= 2.5 V, <= 25 mOhm; B: >= 2.5 V, 25-40 mOhm; C: >= 2.5 V, 40-60 mOhm; else Reject");
    EXPECT_EQ(history[3]["grades"], "A: >= 2.5 V, <= 20 mOhm; B: >= 2.5 V, 20-40 mOhm; else Reject");
    EXPECT_EQ(history[1]["graded_by"], history[3]["time"]) << "its capture was graded again by the new table";
    EXPECT_EQ(history[1]["withdrawn"], false);
    EXPECT_FALSE(history[1]["regraded"].is_null());
    EXPECT_EQ(history[2]["graded_by"], history[0]["time"]) << "a recheck keeps the grade it was taken with";
    EXPECT_TRUE(history[2]["regraded"].is_null());
    const std::vector<std::string> text = Lines(OutputOf(folder, {"history", "--batch", "lot", "--cell", "#0001", "--db", db}));
    ASSERT_EQ(text.size(), 5u) << "a header and four lines";
    EXPECT_THAT(text[0], ::testing::StartsWith("time"));
}

} // namespace
} // namespace voltaryn
