// The fault table: stations sort into one batch on a PostgreSQL server that fails under them, in
// a normal run and while they send their queues after an earlier outage. Afterwards every capture
// a station printed is stored once, under the number it printed, the numbers run without a gap,
// nothing waits or was set aside, and every station ended well. Runs under pg_virtualenv;
// FAULT_STATIONS and FAULT_CAPTURES (the captures each station takes in a row, at least) make it
// the long run of `make torture`. Prints a line a row.
#include "cli/CliRun.h"
#include "common/ThrowawayServer.h"

#include <libpq-fe.h>
#include <nlohmann/json.hpp>
#include <sqlite3.h>

#include <algorithm>
#include <functional>
#include <iostream>
#include <map>
#include <memory>
#include <ranges>
#include <set>
#include <thread>

namespace voltaryn {
namespace {

using testing::StartServer;
using testing::StopServer;

int Knob(const char* name, int fallback)
{
    const char* text = std::getenv(name);
    return text != nullptr ? std::atoi(text) : fallback;
}

// A connection of the test's own to a database of the server, opened again after the server went
// away.
class Database {
public:
    using Rows = std::vector<std::vector<std::string>>;
    explicit Database(const std::string& name) : conninfo_("dbname=" + name) {}
    ~Database() { PQfinish(connection_); }
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // The rows of `sql`, as texts; a test failure when the server does not answer.
    Rows Must(const std::string& sql)
    {
        std::string error;
        for (int attempt = 0; attempt < 2; ++attempt) {  // the first on a connection the server closed
            if (PQstatus(connection_) != CONNECTION_OK) {
                PQfinish(connection_);
                connection_ = PQconnectdb(conninfo_.c_str());
            }
            PGresult* result = PQexec(connection_, sql.c_str());
            const ExecStatusType status = PQresultStatus(result);
            Rows rows(static_cast<std::size_t>(PQntuples(result)));
            for (std::size_t row = 0; row < rows.size(); ++row)
                for (int column = 0; column < PQnfields(result); ++column)
                    rows[row].emplace_back(PQgetvalue(result, static_cast<int>(row), column));
            error = PQresultErrorMessage(result);
            PQclear(result);
            if (status == PGRES_TUPLES_OK || status == PGRES_COMMAND_OK)
                return rows;
        }
        ADD_FAILURE() << sql << ": " << error;
        return {};
    }
    // Sends `sql` on the open connection without waiting for its end; Finish() waits for it.
    void Send(const std::string& sql) { EXPECT_EQ(PQsendQuery(connection_, sql.c_str()), 1) << PQerrorMessage(connection_); }
    void Finish()
    {
        while (PGresult* result = PQgetResult(connection_))
            PQclear(result);
    }
    // Closes the connection, which ends its transaction.
    void Disconnect()
    {
        PQfinish(connection_);
        connection_ = nullptr;
    }

private:
    std::string conninfo_;
    PGconn* connection_ = nullptr;
};

// A write lock on a station's queue file (offline-queue-*.db in its data folder), as another
// program writing it holds one: the station waits before it can strike a capture the server took.
class QueueLock {
public:
    explicit QueueLock(const std::filesystem::path& data)
    {
        std::filesystem::path path;
        for (const auto& file : std::filesystem::directory_iterator(data / "Voltaryn" / "Voltaryn"))
            if (file.path().filename().string().starts_with("offline-queue-") && file.path().extension() == ".db")
                path = file.path();
        EXPECT_EQ(sqlite3_open(path.c_str(), &queue_), SQLITE_OK) << data;
        sqlite3_busy_timeout(queue_, 10000);  // while the station strikes the capture it sent last
        EXPECT_EQ(sqlite3_exec(queue_, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK) << path;
    }
    ~QueueLock() { sqlite3_close(queue_); }
    QueueLock(const QueueLock&) = delete;
    QueueLock& operator=(const QueueLock&) = delete;

private:
    sqlite3* queue_ = nullptr;
};

// A capture as a station printed it.
struct Printed {
    long long measuredMs;
    bool queued;
    long long number;  // 0 while queued
};

// A station of the line: voltaryn-cli sorting the simulated cell bench into the row's batch until
// it is interrupted, with its offline queue in a data folder of its own. Each run of it starts a
// day later on the simulated clock, so that no two of its captures share their time.
class Station {
public:
    Station(std::filesystem::path home, std::string name, std::string batch)
        : home_(std::move(home)), name_(std::move(name)), batch_(std::move(batch))
    {
        std::filesystem::create_directories(home_);
        Start();
    }
    ~Station()
    {
        if (run_->Running())
            Kill();
    }
    Station(const Station&) = delete;
    Station& operator=(const Station&) = delete;

    void Start()
    {
        if (run_)
            errors_ += run_->Err();
        ended_ = false;
        ::setenv("XDG_DATA_HOME", (home_ / "data").c_str(), 1);
        const std::string day = std::to_string(15 + exits_.size() + kills_);
        out_ = home_ / (day + ".out");
        run_ = std::make_unique<CliProcess>(out_, home_ / (day + ".err"),
                                            Args{"--demo-cells", day, "--demo-time", "2024-03-" + day + "T10:00:00",
                                                 "-f", "json", "sort", "--batch", batch_, "--station", name_, "--db",
                                                 "postgresql:///line"});
        read_ = 0;
    }
    // Ends the run as Ctrl-C does.
    void Interrupt() { End(SIGINT); }
    // Ends it as a crash does.
    void Kill()
    {
        End(SIGKILL);
        exits_.pop_back();
        ++kills_;
    }
    // Whether the run ended without the test ending it.
    bool EndedByItself() const { return !ended_ && !run_->Running(); }

    // Takes in the lines the run has printed since the last look.
    void Read()
    {
        std::ifstream in(out_, std::ios::binary);
        in.seekg(static_cast<std::streamoff>(read_));
        const std::string fresh{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        std::size_t start = 0;
        for (std::size_t end = fresh.find('\n'); end != std::string::npos; end = fresh.find('\n', start)) {
            const nlohmann::json line = nlohmann::json::parse(fresh.substr(start, end - start));
            printed_.push_back({UtcMs(line["time"]), line["queued"].get<bool>(),
                                line["number"].is_null() ? 0 : line["number"].get<long long>()});
            start = end + 1;
        }
        read_ += start;
    }

    const std::string& Name() const { return name_; }
    const std::vector<Printed>& PrintedCaptures() const { return printed_; }
    std::size_t QueuedSince(std::size_t from) const
    {
        return static_cast<std::size_t>(std::count_if(printed_.begin() + static_cast<std::ptrdiff_t>(from),
                                                      printed_.end(), [](const Printed& p) { return p.queued; }));
    }
    // The exit code of each run interrupted, and how many were killed.
    const std::vector<int>& Exits() const { return exits_; }
    int Kills() const { return kills_; }
    // What every run of it wrote on its error output.
    std::string Errors() const { return errors_ + run_->Err(); }
    std::unique_ptr<QueueLock> LockQueue() const { return std::make_unique<QueueLock>(home_ / "data"); }
    // Lists what its queue file holds.
    std::unique_ptr<CliProcess> ListQueue() const
    {
        ::setenv("XDG_DATA_HOME", (home_ / "data").c_str(), 1);
        return std::make_unique<CliProcess>(home_ / "queue.out", home_ / "queue.err",
                                            Args{"-f", "json", "queue", "list", "--db", "postgresql:///line"});
    }

private:
    void End(int signal)
    {
        run_->Signal(signal);
        exits_.push_back(run_->Wait());
        ended_ = true;
        Read();
    }

    std::filesystem::path home_;
    std::string name_;
    std::string batch_;
    std::unique_ptr<CliProcess> run_;
    std::filesystem::path out_;
    std::size_t read_ = 0;
    std::vector<Printed> printed_;
    std::vector<int> exits_;
    int kills_ = 0;
    bool ended_ = false;  // the test ended the present run
    std::string errors_;  // of the runs before the present one
};

// The stations of one row of the table, each sorting into the row's batch, and the server's
// databases as the test itself sees them.
class Line {
public:
    Line(const TempFolder& folder, const std::string& batch, int stations) : batch_(batch)
    {
        for (int i = 1; i <= stations; ++i)
            stations_.push_back(std::make_unique<Station>(folder / batch / std::to_string(i),
                                                          "s" + std::to_string(i), batch));
    }

    std::vector<std::unique_ptr<Station>>& Stations() { return stations_; }

    // Waits, taking in what the stations print, until `done` holds; a test failure when a
    // station ends by itself first, or a minute passes.
    void WaitUntil(const std::string& what, const std::function<bool()>& done)
    {
        const auto until = std::chrono::steady_clock::now() + std::chrono::minutes(1);
        for (;;) {
            for (const auto& station : stations_) {
                station->Read();
                if (station->EndedByItself()) {
                    ADD_FAILURE() << station->Name() << " ended before " << what << ": " << station->Errors();
                    return;
                }
            }
            if (done())
                return;
            if (std::chrono::steady_clock::now() > until) {
                ADD_FAILURE() << "no end to the wait until " << what;
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    }
    void WaitForEach(const std::string& what, const std::function<bool(const Station&, std::size_t)>& done)
    {
        WaitUntil(what, [&] {
            for (std::size_t i = 0; i < stations_.size(); ++i)
                if (!done(*stations_[i], i))
                    return false;
            return true;
        });
    }

    // Ends a spell in which the server took no writes, the batch held, so that each station waits
    // at the first capture it sends from its queue. Another hold waits behind them; once the first
    // lets go, each station sends one capture and the other hold has the batch, with some of each
    // queue sent and some not, until Release().
    void HoldReplay()
    {
        const long long before = Count();
        const std::string lockBatch = "SELECT id FROM batches WHERE name = '" + batch_ + "' FOR UPDATE";
        hold_.Must("BEGIN READ WRITE");  // also while the database is read-only
        hold_.Must(lockBatch);
        ReadOnly(false);
        WaitForWaiters(stations_.size());
        next_.Must("BEGIN READ WRITE");
        next_.Send(lockBatch);
        WaitForWaiters(stations_.size() + 1);
        hold_.Must("ROLLBACK");
        next_.Finish();
        std::size_t queued = 0;
        for (const auto& station : stations_)
            queued += station->QueuedSince(0);
        const long long stored = Count();
        EXPECT_GT(stored, before) << "no queued capture was sent";
        EXPECT_LT(stored, before + static_cast<long long>(queued)) << "every queued capture was sent";
        replaying_ = true;
    }
    void Release()
    {
        hold_.Disconnect();
        next_.Disconnect();
    }

    // Waits until `count` sessions wait for a lock on the line's database: the batch's, as nothing
    // else there is locked.
    void WaitForWaiters(std::size_t count)
    {
        WaitUntil("the batch's writers wait", [&] {
            const Database::Rows waiting = server_.Must("SELECT count(*) FROM pg_stat_activity WHERE datname = 'line' "
                                                        "AND wait_event_type = 'Lock'");
            return !waiting.empty() && waiting[0][0] == std::to_string(count);
        });
    }
    // Kills the stations; while they send their queues, each once the server has committed its
    // next capture and before the station has struck it from its queue file (each is killed as soon
    // as its own is, well within the time it waits for the lock on its queue).
    void KillStations()
    {
        if (!replaying_) {
            for (const auto& station : stations_)
                station->Kill();
            return;
        }
        // Each waits for the batch with its next capture, the one before struck from its queue.
        WaitForWaiters(stations_.size());
        std::vector<std::unique_ptr<QueueLock>> locks;
        std::vector<long long> before;
        for (const auto& station : stations_) {
            locks.push_back(station->LockQueue());
            before.push_back(Count(station->Name()));
        }
        Release();
        std::size_t killed = 0;
        WaitUntil("each station's next capture is committed", [&] {
            for (std::size_t i = 0; i < stations_.size(); ++i)
                if (before[i] >= 0 && Count(stations_[i]->Name()) > before[i]) {
                    stations_[i]->Kill();
                    before[i] = -1;
                    ++killed;
                }
            return killed == stations_.size();
        });
    }
    // Ends the stations' sessions, and waits until they are gone.
    void TerminateStations()
    {
        std::string ended = "0";
        for (const auto& row : server_.Must("SELECT pid, pg_terminate_backend(pid) FROM pg_stat_activity "
                                            "WHERE datname = 'line' AND application_name = 'voltaryn'"))
            ended += ", " + row[0];
        WaitUntil("the stations' sessions are gone", [&] {
            return server_.Must("SELECT 1 FROM pg_stat_activity WHERE pid IN (" + ended + ")").empty();
        });
    }
    // Sets the database read-only for the stations' next sessions, and ends their present ones;
    // or lets them write again.
    void ReadOnly(bool on)
    {
        server_.Must(std::string("ALTER DATABASE line SET default_transaction_read_only = ") + (on ? "on" : "off"));
        if (on)
            TerminateStations();
    }

    // The captures stored in the batch, or those of one station.
    long long Count(const std::string& station = {})
    {
        const Database::Rows rows = line_.Must("SELECT count(*) FROM measurements m JOIN cells c ON c.id = m.cell_id "
                                               "JOIN batches b ON b.id = c.batch_id WHERE b.name = '" + batch_ + "'" +
                                               (station.empty() ? "" : " AND m.station = '" + station + "'"));
        return rows.empty() ? 0 : std::stoll(rows[0][0]);
    }
    // The captures stored in the batch: their cell numbers by station and time.
    std::map<std::pair<std::string, long long>, std::vector<long long>> Stored()
    {
        std::map<std::pair<std::string, long long>, std::vector<long long>> stored;
        for (const auto& row : line_.Must("SELECT m.station, m.measured_utc_ms, c.number FROM measurements m "
                                          "JOIN cells c ON c.id = m.cell_id JOIN batches b ON b.id = c.batch_id "
                                          "WHERE b.name = '" + batch_ + "'"))
            stored[{row[0], std::stoll(row[1])}].push_back(std::stoll(row[2]));
        return stored;
    }
private:
    std::string batch_;
    std::vector<std::unique_ptr<Station>> stations_;
    Database server_{"postgres"};
    Database line_{"line"};
    Database hold_{"line"};
    Database next_{"line"};
    bool replaying_ = false;  // the batch held while the stations send their queues
};

struct Fault {
    const char* name;
    std::function<void(Line&)> strike;
    std::function<void(Line&)> end;
    bool lasts;  // until it is ended, the stations sorting into their queues meanwhile
};

const Fault Faults[] = {
    {"fast stop", [](Line&) { StopServer("fast"); }, [](Line&) { StartServer(false); }, true},
    {"immediate stop", [](Line&) { StopServer("immediate"); }, [](Line&) { StartServer(false); }, true},
    {"terminated backends", [](Line& line) { line.TerminateStations(); }, [](Line&) {}, false},
    {"read-only spell", [](Line& line) { line.ReadOnly(true); }, [](Line& line) { line.ReadOnly(false); }, true},
    {"kill -9", [](Line& line) { line.KillStations(); },
     [](Line& line) {
         for (const auto& station : line.Stations())
             station->Start();
     },
     false},
};

// The row's figures, checked and printed as one line.
void CheckRow(Line& line, const std::string& row)
{
    std::vector<std::unique_ptr<CliProcess>> queues;
    for (const auto& station : line.Stations())
        queues.push_back(station->ListQueue());
    const auto stored = line.Stored();
    std::set<std::pair<std::string, long long>> printed;  // the stored captures printed
    std::size_t lines = 0;
    std::size_t lost = 0;
    std::size_t misnumbered = 0;
    int kills = 0;
    std::string exits;
    std::pair<int, int> left;
    for (const auto& station : line.Stations()) {
        for (const Printed& capture : station->PrintedCaptures()) {
            ++lines;
            const auto found = stored.find({station->Name(), capture.measuredMs});
            if (found == stored.end()) {
                ++lost;
                continue;
            }
            printed.insert(found->first);
            misnumbered += !capture.queued && found->second.front() != capture.number ? 1 : 0;
        }
        for (const int exit : station->Exits()) {
            exits += " " + std::to_string(exit);
            EXPECT_EQ(exit, 0) << station->Name() << ": " << station->Errors();
        }
        kills += station->Kills();
    }
    for (const auto& queue : queues) {
        EXPECT_EQ(queue->Wait(), 0) << queue->Err();
        for (const std::string& capture : Lines(queue->Out()))
            ++(nlohmann::json::parse(capture)["state"] == "set aside" ? left.second : left.first);
    }
    std::vector<long long> numbers;
    for (const auto& [key, cells] : stored)
        numbers.insert(numbers.end(), cells.begin(), cells.end());
    std::sort(numbers.begin(), numbers.end());
    const bool gapless = std::ranges::equal(numbers, std::views::iota(1LL, static_cast<long long>(numbers.size()) + 1));
    const std::size_t duplicates = numbers.size() - stored.size();
    std::cout << row << ": printed " << lines << ", stored " << numbers.size() << ", duplicates " << duplicates
              << ", lost " << lost << ", waiting " << left.first << ", set aside " << left.second << ", exits"
              << exits << (kills > 0 ? ", " + std::to_string(kills) + " killed" : "") << std::endl;
    EXPECT_EQ(lost, 0u);
    EXPECT_EQ(duplicates, 0u);
    EXPECT_EQ(misnumbered, 0u) << "a capture is stored under another number than the station printed";
    EXPECT_TRUE(gapless) << numbers.size() << " cells, numbered up to " << (numbers.empty() ? 0 : numbers.back());
    EXPECT_EQ(left, std::make_pair(0, 0));
    // A kill may come between the commit and the line: that capture is stored, not printed.
    EXPECT_LE(stored.size() - printed.size(), static_cast<std::size_t>(kills));
}

// One row: the stations start, the fault strikes (in a replay: once they are sending what they
// queued while the server took no writes) and ends, and they sort on until each has taken
// `captures` and sent its queue.
void RunRow(Line& line, const Fault& fault, bool replay, std::size_t captures)
{
    line.WaitForEach("each station took its first captures", [&](const Station& station, std::size_t) {
        return station.PrintedCaptures().size() >= captures / 3;
    });
    if (replay) {
        line.ReadOnly(true);
        line.WaitForEach("each station queued captures", [&](const Station& station, std::size_t) {
            return station.QueuedSince(0) >= captures / 3;
        });
        line.HoldReplay();
    }
    fault.strike(line);
    std::vector<std::size_t> struck;  // what each station had printed then
    for (const auto& station : line.Stations())
        struck.push_back(station->PrintedCaptures().size());
    line.Release();
    if (fault.lasts)
        line.WaitForEach("each station queued a capture since the fault struck",
                         [&](const Station& station, std::size_t i) { return station.QueuedSince(struck[i]) > 0; });
    fault.end(line);
    line.WaitForEach("each station took its captures and sent its queue", [&](const Station& station, std::size_t i) {
        const std::vector<Printed>& printed = station.PrintedCaptures();
        return printed.size() >= std::max(captures, struck[i] + captures / 3) && !printed.back().queued;
    });
    for (const auto& station : line.Stations())
        station->Interrupt();
}

TEST(CliFaultTable, EveryPrintedCaptureIsStoredOnceWhateverFailsWhileStationsSort)
{
    const TempFolder folder;
    const int stations = Knob("FAULT_STATIONS", 2);
    const std::size_t captures = static_cast<std::size_t>(Knob("FAULT_CAPTURES", 30));
    Database("postgres").Must("CREATE DATABASE line");
    int rows = 0;
    for (const Fault& fault : Faults) {
        for (const bool replay : {false, true}) {
            const std::string row = std::string(fault.name) + (replay ? " during a replay" : " during a run");
            SCOPED_TRACE(row);
            Line line(folder, "row" + std::to_string(++rows), stations);
            RunRow(line, fault, replay, captures);
            CheckRow(line, row);
        }
    }
}

} // namespace
} // namespace voltaryn
