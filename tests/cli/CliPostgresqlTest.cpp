// voltaryn-cli sorting into PostgreSQL while the server comes and goes. Runs under pg_virtualenv,
// which starts a throwaway cluster named "regress", points libpq's PG* variables at it and
// removes it afterwards; the station's offline queue lives in the test's folder.
#include "cli/CliRun.h"
#include "common/ThrowawayServer.h"

#include <gmock/gmock.h>
#include <nlohmann/json.hpp>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <thread>

namespace voltaryn {
namespace {

using ::testing::HasSubstr;

// A step of a station's day: what happens to the server first ("stop", "start", or SQL run on
// its database), then a run of the CLI with its exit code and a part of its error output.
struct Step {
    std::string before;
    Args args;
    int exitCode;
    std::string error;
};

using testing::RunShell;
using testing::StartServer;
using testing::StopServer;

// Runs each step in turn; returns the runs for what else a test checks of them.
std::vector<Finished> RunSteps(const TempFolder& folder, const std::vector<Step>& steps)
{
    std::vector<Finished> runs;
    for (const Step& step : steps) {
        if (step.before == "stop")
            StopServer();
        else if (step.before == "start")
            StartServer();
        else if (!step.before.empty())
            RunShell("psql -X -q -d line -c \"" + step.before + '"');
        const Finished& run = runs.emplace_back(RunCli(folder, step.args));
        EXPECT_EQ(run.exitCode, step.exitCode) << "step " << runs.size() - 1 << ": " << run.err;
        EXPECT_THAT(run.err, HasSubstr(step.error)) << "step " << runs.size() - 1;
    }
    return runs;
}

// A test's stations keep their offline queues in its folder.
class CliPostgresql : public ::testing::Test {
protected:
    CliPostgresql() { ::setenv("XDG_DATA_HOME", (folder / "data").c_str(), 1); }

    const TempFolder folder;
};

// Makes database `name` on the server; its address for --db.
std::string CreateDatabase(const std::string& name)
{
    RunShell("createdb " + name);
    return "postgresql:///" + name;
}

// The words that start the CLI with no file growing past `bytes`, as on a full disk: growing one
// fails instead of ending the run.
Args FullDisk(std::uintmax_t bytes)
{
    return {"/bin/bash", "-c", "trap '' XFSZ; exec prlimit --fsize=" + std::to_string(bytes) + " -- \"$@\"", "full"};
}

// A run of the CLI killed as a crash kills it, once it has printed `lines` lines.
Finished KilledAfter(const TempFolder& folder, const Args& args, std::size_t lines)
{
    const CliProcess run(folder, args);
    while (run.Running() && Lines(run.Out()).size() < lines)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    run.Signal(SIGKILL);
    return {run.Wait(), run.Out(), run.Err()};
}

// A station may start sorting a batch it has seen while the server is away, not one it has not:
// the captures wait in the local queue, the end of the run says how many (exit code 6), and the
// first run after the server is back sends them ahead of its own. A capture the server refuses for
// good (its batch is gone) is set aside: queue list and export show why, each later line says so,
// and queue retry sends it once the batch is back.
TEST_F(CliPostgresql, NoCaptureIsLostWhileTheServerComesAndGoes)
{
    const std::string db = CreateDatabase("line");
    const auto sort = [&db](const std::string& batch, int count, int drain = 10) {
        return Args{"--demo-cells", "--demo-time", DemoTime, "sort", "--batch", batch, "--count", std::to_string(count),
                    "--drain-timeout", std::to_string(drain), "--db", db};
    };
    const auto queue = [&db](const std::string& action, const Args& more = {}) {
        return Join(Join({"queue", action}, more), {"--db", db});
    };
    const std::string csv = (folder / "queue.csv").string();
    const std::vector<Finished> runs = RunSteps(folder, {
        {"", sort("lot 1", 2), 0, "sorted 2 cells"},
        {"stop", sort("lot 1", 3), 6, "3 captures wait in the local queue: the next sort or voltaryn-cli queue retry"},
        {"", sort("lot 2", 1), 5, "Batch \"lot 2\" cannot be started while the server is away"},
        {"", Join({"-f", "csv"}, queue("list")), 0, ""},
        {"start", sort("lot 1", 1), 0, "back online: 3 queued captures sent"},
        {"stop", sort("lot 1", 2, 0), 6, "2 captures wait"},
        {"start", queue("list"), 0, ""},
        {"DELETE FROM batches WHERE name = 'lot 1'", Join({"-f", "json"}, queue("retry")), 6,
         "2 captures wait in the local queue (2 set aside): see voltaryn-cli queue list"},
        {"", queue("export", {"-o", csv}), 0, ""},
        {"", queue("export", {"-o", (folder / "queue.txt").string()}), 2, "names no format: end it in .csv"},
        {"", sort("lot 1", 1), 6, "2 captures wait in the local queue (2 set aside)"},
        {"", queue("retry"), 0, "2 queued captures sent"},
        {"", {"-f", "csv", "cells", "--batch", "lot 1", "--db", db}, 0, ""},
        {"", {"queue", "list", "--db", (folder / "cells.db").string()}, 2, "keeps no offline queue"},
    });
    const std::vector<std::string> queued = Lines(runs[1].out);
    ASSERT_EQ(queued.size(), 3u) << runs[1].out;
    EXPECT_THAT(queued[0], ::testing::StartsWith("(queued)  ")) << "a queued capture has no number yet";
    EXPECT_THAT(queued[2], HasSubstr("offline — 3 queued"));
    EXPECT_EQ(Lines(runs[2].err).size(), 1u) << runs[2].err;
    const std::vector<std::string> waiting = Lines(runs[3].out);
    ASSERT_EQ(waiting.size(), 1u + 3u) << runs[3].out;
    EXPECT_EQ(waiting[0], "batch,label,time,station,grade,kind,state,reason");
    EXPECT_THAT(waiting[3], ::testing::MatchesRegex("lot 1,,2024-03-1.*,waiting,"));
    for (const nlohmann::json& capture : JsonLines(runs[7].out)) {
        EXPECT_EQ(capture["state"], "set aside");
        EXPECT_THAT(capture["reason"].get<std::string>(), HasSubstr("There is no batch \"lot 1\""));
    }
    const std::vector<std::string> exported = Lines(FileBytes(csv));
    ASSERT_EQ(exported.size(), 1u + 2u);
    EXPECT_THAT(exported[0], HasSubstr(",state,reason,operator,voltage_v,resistance_mohm,range,temperature_c,uuid"));
    EXPECT_THAT(runs[10].out, HasSubstr("online — 2 captures set aside — see `voltaryn-cli queue`"));
    EXPECT_EQ(runs[11].out, "") << "nothing is left";
    EXPECT_EQ(Lines(runs[12].out).size(), 1u + 1u + 2u) << "the batch made anew, and the two set aside";
}

// A station whose disk fills while the server is away stops at the capture its queue cannot keep
// and says so; it printed only what the queue kept, and the next run sends every one of those.
TEST_F(CliPostgresql, AFullDiskStopsTheStationAtTheCaptureItsQueueCannotKeep)
{
    const std::string db = CreateDatabase("full");
    const auto sort = [&db](int count, const std::string& day) {
        return Args{"--demo-cells", "--demo-time", "2024-03-" + day + "T10:00:00", "-f", "json", "sort", "--batch",
                    "lot", "--count", std::to_string(count), "--drain-timeout", "0", "--db", db};
    };
    ASSERT_EQ(RunCli(folder, sort(1, "10")).exitCode, 0);
    StopServer();
    const Finished full = RunCli(folder, sort(100, "11"), "/dev/null", FullDisk(40000));
    StartServer();
    EXPECT_EQ(full.exitCode, 5);
    EXPECT_THAT(full.err, HasSubstr("is not stored: the local queue could not keep it (is its disk full?)"));
    const std::size_t printed = Lines(full.out).size();
    EXPECT_GT(printed, 0u);
    EXPECT_LT(printed, 100u);
    EXPECT_THAT(RunCli(folder, sort(1, "12")).err, HasSubstr("back online: " + std::to_string(printed) + " queued"));
    RunShell("test \"$(psql -XAtd full -c 'SELECT count(*) FROM measurements')\" = " + std::to_string(printed + 2));
}

// A recheck run cut short while the server takes no writes (killed, or its disk full) leaves each
// recheck it printed in the local queue. The next run sends them first and goes on from the tray's
// next cell, so each cell of the tray ends with one recheck.
TEST_F(CliPostgresql, ARecheckRunCutShortGoesOnFromTheTraysNextCell)
{
    const std::string db = CreateDatabase("rest");
    constexpr int Cells = 200;
    const auto readOnly = [](bool on) {
        RunShell(std::string("psql -X -q -d postgres -c 'ALTER DATABASE rest SET default_transaction_read_only = ") +
                 (on ? "on'" : "off'"));
    };
    const auto recheck = [&db](const std::string& batch) {
        return Args{"--demo-cells=7", "--demo-time", DemoTime, "--demo-days", "14", "-f", "json", "recheck", "--batch",
                    batch, "--drain-timeout", "0", "--db", db};
    };
    const struct {
        const char* batch;
        std::function<Finished(const Args&)> cutShort;
        int exitCode;
        std::string error;
    } runs[] = {
        {"killed", [this](const Args& args) { return KilledAfter(folder, args, 20); }, -1, ""},
        {"full disk", [this](const Args& args) { return RunCli(folder, args, "/dev/null", FullDisk(40000)); }, 5,
         "is not stored: the local queue could not keep it (is its disk full?)"},
    };
    for (const auto& run : runs) {
        SCOPED_TRACE(run.batch);
        OutputOf(folder, CellBench({"sort", "--batch", run.batch, "--count", std::to_string(Cells), "--db", db}));
        readOnly(true);
        const Finished cut = run.cutShort(recheck(run.batch));
        readOnly(false);
        EXPECT_EQ(cut.exitCode, run.exitCode) << cut.err;
        EXPECT_THAT(cut.err, HasSubstr(run.error));
        const std::vector<std::string> printed = Lines(cut.out);
        ASSERT_GE(printed.size(), 1u);
        ASSERT_LT(printed.size(), std::size_t{Cells}) << "the run was cut short";
        EXPECT_TRUE(nlohmann::json::parse(printed.back())["queued"]);

        const Finished rest = RunCli(folder, recheck(run.batch));
        EXPECT_EQ(rest.exitCode, 0) << rest.err;
        const std::vector<std::string> rechecked = Lines(rest.out);
        ASSERT_FALSE(rechecked.empty()) << rest.err;
        // A kill may come between the queue keeping a recheck and its line.
        const long long first = nlohmann::json::parse(rechecked.front())["number"];
        EXPECT_GE(first, static_cast<long long>(printed.size()) + 1);
        EXPECT_LE(first, static_cast<long long>(printed.size()) + (run.exitCode == -1 ? 2 : 1));
        EXPECT_THAT(rest.err, HasSubstr("back online: " + std::to_string(first - 1) + " queued"));
        EXPECT_EQ(nlohmann::json::parse(rechecked.back())["number"], Cells);
        RunShell("test \"$(psql -XAtd rest -c \"SELECT count(DISTINCT c.number) || ' ' || count(*) FROM measurements m "
                 "JOIN cells c ON c.id = m.cell_id JOIN batches b ON b.id = c.batch_id WHERE m.kind = 'recheck' "
                 "AND b.name = '" + std::string(run.batch) + "'\")\" = '" + std::to_string(Cells) + ' ' +
                 std::to_string(Cells) + "'");
    }
}

// A walk of a string goes on through a day's faults, at its first empty place each time: started
// while the server is away (judged by the string as the station last saw it) and killed, again
// offline until the disk fills, then with the server back. The string's inspection of the day
// ends with one reading of every place taken, none twice.
TEST_F(CliPostgresql, AWalkGoesOnAtItsFirstEmptyPlaceThroughOutagesKillsAndAFullDisk)
{
    const std::string db = CreateDatabase("walk");
    const auto inspect = [&db](const std::string& time) {
        return Args{"--demo-string=5", "--demo-time", time, "-f", "json", "inspect", "--site", "Plant",
                    "--string", "UPS", "--drain-timeout", "0", "--db", db};
    };
    OutputOf(folder, {"site", "add", "Plant", "--db", db});
    OutputOf(folder, {"string", "add", "--site", "Plant", "UPS", "--blocks", "24", "--nominal", "12", "--chemistry",
                      "vrla", "--straps", "--installed", "2021-01-01", "--db", db});
    ASSERT_EQ(RunCli(folder, inspect("2023-06-01T09:00:00")).exitCode, 0) << "a year before: the baselines";
    StopServer();

    const Finished killed = KilledAfter(folder, inspect("2024-06-01T09:00:00"), 10);
    EXPECT_THAT(killed.err, HasSubstr("the server is away: the string is judged as this station saw it on"));
    const std::vector<std::string> first = Lines(killed.out);
    ASSERT_GE(first.size(), 10u) << killed.err;
    const nlohmann::json queued = nlohmann::json::parse(first.front());
    EXPECT_TRUE(queued["queued"]);
    EXPECT_TRUE(queued["inspection"].is_null()) << "the server has not made it yet";
    EXPECT_EQ(queued["verdicts"]["baseline"], "pass") << "judged against last year's readings: " << first.front();

    // No file may grow past what the queue holds now and a few readings more, as on a full disk.
    std::uintmax_t kept = 0;
    for (const auto& file : std::filesystem::recursive_directory_iterator(folder / "data"))
        if (file.is_regular_file())
            kept = std::max(kept, file.file_size());
    const Finished full = RunCli(folder, inspect("2024-06-01T10:00:00"), "/dev/null", FullDisk(kept + 12000));
    EXPECT_EQ(full.exitCode, 5) << full.err;
    EXPECT_THAT(full.err, HasSubstr("today's inspection, still in the local queue, goes on"));
    EXPECT_THAT(full.err, HasSubstr("is not stored: the local queue could not keep it (is its disk full?)"));
    StartServer();

    const Finished rest = RunCli(folder, inspect("2024-06-01T11:00:00"));
    EXPECT_EQ(rest.exitCode, 0) << rest.err;
    EXPECT_THAT(rest.err, HasSubstr("queued captures sent"));
    EXPECT_THAT(rest.err, ::testing::MatchesRegex("(.|\n)*inspection [0-9]+ of today goes on(.|\n)*"));
    EXPECT_THAT(Lines(rest.err).back(), ::testing::StartsWith("24 blocks, "));
    const std::vector<std::string> last = Lines(rest.out);
    ASSERT_FALSE(last.empty());
    EXPECT_EQ(nlohmann::json::parse(last.back())["position"], 24);
    // Every block once, no place twice; a strap the walker passed over stays empty.
    RunShell("test \"$(psql -XAtd walk -c \"SELECT count(DISTINCT i.id) || ' ' || count(*) FILTER (WHERE r.kind = 'block') "
             "|| ' ' || (count(*) = count(DISTINCT (r.kind, r.position))) FROM string_readings r JOIN inspections i "
             "ON i.id = r.inspection_id WHERE i.started_utc_ms >= " + std::to_string(UtcMs("2024-01-01T00:00:00")) +
             "\")\" = '1 24 true'");
}

// libpq finds the password itself: in PGPASSWORD, a password file or a service file. One typed into
// --db still works, as the program reads its own copy of the arguments, but is warned of. Options
// are quoted: one cannot set another.
TEST_F(CliPostgresql, ThePasswordComesFromLibpqsOwnPlacesOrWithAWarningFromTheAddress)
{
    RunShell("createdb secrets");
    const std::string password = std::getenv("PGPASSWORD");
    const std::string server = std::string(std::getenv("PGHOST")) + ':' + std::getenv("PGPORT");
    const std::string passFile = (folder / "pgpass").string();
    const std::string serviceFile = (folder / "services").string();
    std::ofstream(passFile) << "*:*:*:*:" << password << '\n';
    std::filesystem::permissions(passFile, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    std::ofstream(serviceFile) << "[lab]\ndbname=secrets\npassword=" << password << '\n';
    ::unsetenv("PGPASSWORD");
    const struct {
        const char* variable;  // set for this run only
        std::string value;
        std::string db;
        int exitCode;
        std::string error;
    } runs[] = {
        {"", "", "postgresql://" + std::string(std::getenv("PGUSER")) + ':' + password + '@' + server + "/secrets", 0,
         "voltaryn-cli: warning: every user of this computer can read a password given in --db; use PGPASSWORD or "
         "~/.pgpass instead\n"},
        {"", "", "postgresql:///secrets", 5, "no password supplied"},
        {"PGPASSWORD", password, "postgresql:///secrets", 0, ""},
        {"PGPASSFILE", passFile, "postgresql:///secrets", 0, ""},
        {"PGSERVICEFILE", serviceFile, "postgresql:///?service=lab", 0, ""},
        {"PGPASSWORD", password, "postgresql:///secrets?sslmode=require&application_name=x%20sslmode=disable", 5,
         "server does not support SSL"},
    };
    for (const auto& run : runs) {
        if (*run.variable != '\0')
            ::setenv(run.variable, run.value.c_str(), 1);
        const Finished finished = RunCli(folder, {"batches", "--db", run.db});
        EXPECT_EQ(finished.exitCode, run.exitCode) << run.db << ": " << finished.err;
        if (run.exitCode == 0)
            EXPECT_EQ(finished.err, run.error) << run.db;
        else
            EXPECT_THAT(finished.err, HasSubstr(run.error)) << run.db;
        if (*run.variable != '\0')
            ::unsetenv(run.variable);
    }
    ::setenv("PGPASSWORD", password.c_str(), 1);
}

} // namespace
} // namespace voltaryn
