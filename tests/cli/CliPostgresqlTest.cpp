// voltaryn-cli sorting into PostgreSQL while the server comes and goes. Runs under pg_virtualenv,
// which starts a throwaway cluster named "regress", points libpq's PG* variables at it and
// removes it afterwards; the station's offline queue lives in the test's folder.
#include "cli/CliRun.h"

#include <gmock/gmock.h>
#include <nlohmann/json.hpp>

#include <cstdlib>

namespace voltaryn {
namespace {

using ::testing::HasSubstr;

// A step of a station's day: what happens to the server first ("stop", "start", or SQL run on
// the database), then a run of the CLI with its exit code and a part of its error output.
struct Step {
    std::string before;
    Args args;
    int exitCode;
    std::string error;
};

class CliPostgresqlTest : public ::testing::Test {
protected:
    CliPostgresqlTest()
    {
        ::setenv("XDG_DATA_HOME", (folder / "data").c_str(), 1);
        ++databases;
        db = "postgresql:///cli_" + std::to_string(databases);
        Shell("dropdb --if-exists cli_" + std::to_string(databases) + " && createdb cli_" + std::to_string(databases));
    }
    ~CliPostgresqlTest() override { Shell("pg_ctlcluster \"$PGVERSION\" regress start 2> /dev/null; true"); }

    static void Shell(const std::string& command) { ASSERT_EQ(std::system(command.c_str()), 0) << command; }

    // The sort of `count` cells into `batch` on the simulated bench and clock, waiting `drain`
    // seconds at the end.
    Args Sort(const std::string& batch, int count, int drain = 10) const
    {
        return {"--demo-cells", "--demo-time", DemoTime, "sort", "--batch", batch, "--count", std::to_string(count),
                "--drain-timeout", std::to_string(drain), "--db", db};
    }
    Args Queue(const std::string& action, const Args& more = {}) const
    {
        return Join(Join({"queue", action}, more), {"--db", db});
    }

    // Runs each step in turn; returns the runs for what else a test checks of them.
    std::vector<Finished> Run(const std::vector<Step>& steps)
    {
        std::vector<Finished> runs;
        for (const Step& step : steps) {
            if (step.before == "stop" || step.before == "start")
                Shell("pg_ctlcluster \"$PGVERSION\" regress " + step.before + " -m fast");
            else if (!step.before.empty())
                Shell("psql -X -q -d cli_" + std::to_string(databases) + " -c \"" + step.before + '"');
            const Finished& run = runs.emplace_back(RunCli(folder, step.args));
            const std::string named = "step " + std::to_string(runs.size() - 1);
            EXPECT_EQ(run.exitCode, step.exitCode) << named << ": " << run.err;
            EXPECT_THAT(run.err, HasSubstr(step.error)) << named;
        }
        return runs;
    }

    TempFolder folder;
    std::string db;
    static inline int databases = 0;
};

// A station may start sorting a batch it has seen while the server is away: the captures wait in
// the local queue, the end of the run says how many (exit code 6), and the first run after the
// server is back sends them ahead of its own. A batch it has never seen cannot start.
TEST_F(CliPostgresqlTest, SortingGoesOnIntoTheQueueWhileTheServerIsAwayAndSendsItOnceBack)
{
    const std::vector<Finished> runs = Run({
        {"", Sort("lot 1", 2), 0, "sorted 2 cells"},
        {"stop", Sort("lot 1", 3), 6, "3 captures wait in the local queue: the next sort or voltaryn-cli queue retry"},
        {"", Sort("lot 2", 1), 5, "Batch \"lot 2\" cannot be started while the server is away"},
        {"", Sort("lot 1", 1, 0), 6, "4 captures wait in the local queue"},
        {"", Join({"-f", "csv"}, Queue("list")), 0, ""},
        {"start", Sort("lot 1", 1), 0, "back online: 4 queued captures sent"},
        {"", Join({"-f", "csv"}, Queue("list")), 0, ""},
        {"", {"-f", "csv", "cells", "--batch", "lot 1", "--db", db}, 0, ""},
    });
    EXPECT_EQ(Lines(runs[2].err).size(), 1u) << runs[2].err;
    const std::vector<std::string> queued = Lines(runs[1].out);
    ASSERT_EQ(queued.size(), 3u) << runs[1].out;
    EXPECT_THAT(queued[0], ::testing::StartsWith("(queued)  ")) << "a queued capture has no number yet";
    EXPECT_THAT(queued[2], HasSubstr("offline — 3 queued"));
    const std::vector<std::string> waiting = Lines(runs[4].out);
    ASSERT_EQ(waiting.size(), 1u + 4u) << runs[4].out;
    EXPECT_EQ(waiting[0], "batch,label,time,station,grade,state,reason");
    EXPECT_THAT(waiting[4], ::testing::MatchesRegex("lot 1,,2024-03-1.*,waiting,"));
    EXPECT_EQ(runs[6].out, "") << "the queue is empty";
    EXPECT_EQ(Lines(runs[7].out).size(), 1u + 2u + 4u + 1u) << runs[7].out;
}

// A capture the server refuses for good (its batch is gone) is set aside: queue list and export
// show it with the reason, each later line says so, and queue retry sends it once the batch is back.
TEST_F(CliPostgresqlTest, ACaptureSetAsideIsListedExportedAndRetried)
{
    const std::string csv = (folder / "queue.csv").string();
    const std::string json = (folder / "queue.jsonl").string();
    const std::vector<Finished> runs = Run({
        {"", Sort("lot 3", 1), 0, ""},
        {"stop", Sort("lot 3", 2, 0), 6, "2 captures wait"},
        {"start", Queue("list"), 0, ""},
        {"DELETE FROM batches WHERE name = 'lot 3'", Join({"-f", "json"}, Queue("retry")), 6,
         "2 captures wait in the local queue (2 set aside): see voltaryn-cli queue list"},
        {"", Queue("export", {"-o", csv}), 0, ""},
        {"", Queue("export", {"-o", json}), 0, ""},
        {"", Queue("export", {"-o", (folder / "queue.txt").string()}), 2, "names no format: end it in .csv"},
        {"", Sort("lot 3", 1), 6, "2 captures wait in the local queue (2 set aside)"},
        {"", Queue("retry"), 0, "2 queued captures sent"},
        {"", {"-f", "csv", "cells", "--batch", "lot 3", "--db", db}, 0, ""},
        {"", {"queue", "list", "--db", (folder / "cells.db").string()}, 2, "keeps no offline queue"},
    });
    const std::vector<std::string> setAside = Lines(runs[3].out);
    EXPECT_EQ(setAside.size(), 2u);
    for (const std::string& line : setAside) {
        const nlohmann::json capture = nlohmann::json::parse(line);
        EXPECT_EQ(capture["batch"], "lot 3");
        EXPECT_EQ(capture["state"], "set aside");
        EXPECT_THAT(capture["reason"].get<std::string>(), HasSubstr("There is no batch \"lot 3\""));
    }
    const std::vector<std::string> exported = Lines(FileBytes(csv));
    ASSERT_EQ(exported.size(), 1u + 2u);
    EXPECT_EQ(exported[0], "batch,label,time,station,grade,state,reason,operator,voltage_v,resistance_mohm,range,"
                           "temperature_c,uuid");
    const std::vector<std::string> jsonLines = Lines(FileBytes(json));
    ASSERT_EQ(jsonLines.size(), 2u);
    EXPECT_TRUE(nlohmann::json::parse(jsonLines[0])["voltage_v"].is_number()) << jsonLines[0];
    EXPECT_THAT(runs[7].out, HasSubstr("online — 2 captures set aside — see `voltaryn-cli queue`"));
    EXPECT_EQ(runs[8].out, "") << "nothing is left";
    EXPECT_EQ(Lines(runs[9].out).size(), 1u + 1u + 2u) << runs[9].out;
}

} // namespace
} // namespace voltaryn
