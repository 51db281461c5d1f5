// The store suite on PostgreSQL, and the offline queue against a server that stops and starts.
// Runs under pg_virtualenv, which starts a throwaway cluster named "regress", points libpq's PG*
// variables at it and removes it afterwards.
#include "common/ServerStatements.h"
#include "common/ThrowawayServer.h"
#include "store/StoreTestDatabase.h"

#include <QSqlQuery>

#include <chrono>
#include <functional>
#include <memory>
#include <thread>

#include <gmock/gmock.h>

namespace voltaryn::store {
namespace {

INSTANTIATE_TEST_SUITE_P(Postgresql, StoreTest, ::testing::Values(Engine::Postgresql), EngineName);

using testing::StartServer;
using testing::StopServer;

class PostgresqlServerTest : public StoreTest {};
INSTANTIATE_TEST_SUITE_P(Postgresql, PostgresqlServerTest, ::testing::Values(Engine::Postgresql), EngineName);

// A station that keeps running tries the server again by itself, between captures or at the
// next one: 2 s after it went away, then at doubling spells, also while the server answers but
// takes no writes. Once it takes them the queue goes ahead of any new capture, in order and once
// each, labels kept, and new captures go straight to it.
TEST_P(PostgresqlServerTest, ARunningStationTriesTheServerAgainOnItsScheduleAndSendsItsQueueFirst)
{
    const StoreAddress address = NewDatabase();
    auto second = std::make_shared<int>(0);
    StoreOptions options{folder_.filePath(QStringLiteral("queue.db"))};
    options.retryClock = [second] { return std::chrono::seconds(*second); };
    CellStore station(options);
    station.Open(address);
    station.CreateBatch(TestBatch);
    EXPECT_EQ(station.SendQueueIfDue(), 0) << "online with nothing queued";

    enum class Server { Down, Up, ReadOnly };
    const StoreAddress admin = ServerDatabase({});
    const auto readOnly = [&](bool on) {
        RunSql(admin, QStringLiteral("ALTER DATABASE %1 SET default_transaction_read_only = %2")
                          .arg(address.database, on ? QStringLiteral("on") : QStringLiteral("off")));
        if (on)  // so that it applies to the station's session too
            RunSql(admin, QStringLiteral("SELECT pg_terminate_backend(pid) FROM pg_stat_activity WHERE datname = '%1'")
                              .arg(address.database));
    };
    StopServer();
    for (int i = 1; i <= 2; ++i)  // gone at 0 s
        EXPECT_TRUE(station.RecordCapture(Capture(i == 2 ? QStringLiteral("L2") : QString(), QStringLiteral("s1"), i)).queued);
    // The second on the retry clock, the server then, whether a capture comes (else the station
    // is idle), the captures sent from the queue, the status afterwards.
    const struct {
        int second;
        Server server;
        bool capture;
        int sent;
        const char* status;
    } steps[] = {
        {1, Server::Down, false, 0, "offline — 2 queued"},  // not due yet
        {2, Server::Down, false, 0, "offline — 2 queued"},  // tried and failed: the next try at 6
        {5, Server::Up, true, 0, "offline — 3 queued"},     // not due: the capture waits behind the others
        {6, Server::Up, false, 3, "online"},
        {7, Server::Up, true, 0, "online"},                // straight to the server
        {8, Server::Down, true, 0, "offline — 1 queued"},   // gone at 8: the next try at 10
        {10, Server::Up, true, 1, "online"},                // the queue first, then the capture itself
        {12, Server::ReadOnly, true, 0, "offline — 1 queued"},  // refused at 12: the next try at 14
        {14, Server::ReadOnly, false, 0, "offline — 1 queued"}, // it answers, and refuses: the next at 18
        {17, Server::Up, false, 0, "offline — 1 queued"},
        {18, Server::Up, false, 1, "online"},
    };
    Server server = Server::Down;
    const auto become = [&](Server next) {
        if (server == Server::Down)
            StartServer();
        if (server == Server::ReadOnly)
            readOnly(false);
        if (next == Server::Down)
            StopServer();
        if (next == Server::ReadOnly)
            readOnly(true);
        server = next;
    };
    int captured = 2;
    for (const auto& step : steps) {
        if (step.server != server)
            become(step.server);
        *second = step.second;
        const int sent = step.capture ? station.RecordCapture(Capture({}, QStringLiteral("s1"), ++captured)).sentAhead
                                      : station.SendQueueIfDue();
        EXPECT_EQ(sent, step.sent) << "at " << step.second << " s";
        EXPECT_EQ(station.Status().Text(), QString::fromUtf8(step.status)) << "at " << step.second << " s";
    }
    const auto cells = station.Cells(TestBatch);
    ASSERT_EQ(cells.size(), 7u);
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(cells[i].number, i + 1);
        EXPECT_EQ(cells[i].latest.measuredUtc, Capture({}, {}, i + 1).measuredUtc) << "cell " << i + 1;
    }
    EXPECT_EQ(cells[1].label, QStringLiteral("L2"));
}

// Rechecks taken while the server is away wait in the queue as rechecks of the cells they name,
// and are stored as such once it is back; one of a cell the batch does not hold is set aside with
// the reason, and the others are sent past it.
TEST_P(PostgresqlServerTest, QueuedRechecksAreStoredAsRechecksAndOneOfNoSuchCellIsSetAside)
{
    auto store = OpenStore(NewDatabase());
    store->CreateBatch(TestBatch);
    store->RecordCapture(Capture(QStringLiteral("L1"), QStringLiteral("s1"), 1));
    store->RecordCapture(Capture({}, QStringLiteral("s1"), 2));
    StopServer();
    const std::pair<CellKey, int> rechecks[] = {{QStringLiteral("L1"), 100}, {qint64{9}, 101}, {qint64{2}, 102}};
    for (const auto& [cell, second] : rechecks) {
        CaptureInput reading = Capture({}, QStringLiteral("s1"), second, QStringLiteral("R"));
        EXPECT_TRUE(store->RecordRecheck(cell, reading).queued) << second;
    }
    std::vector<QueuedCapture> queued = store->QueuedCaptures();
    ASSERT_EQ(queued.size(), 3u);
    EXPECT_EQ(queued[1].capture.kind, MeasurementKind::Recheck);
    EXPECT_EQ(queued[1].capture.label, QStringLiteral("#0009"));
    EXPECT_EQ(store->WaitingRechecks(TestBatch), (std::vector<QString>{"L1", "#0009", "#0002"}));
    EXPECT_TRUE(store->WaitingRechecks(QStringLiteral("other")).empty());
    StartServer();

    EXPECT_EQ(store->Flush(), 2);
    EXPECT_EQ(store->Flush(), 0) << "what is set aside is not tried again by itself";
    EXPECT_EQ(store->Status().Text(), QStringLiteral("online — 1 capture set aside — see `voltaryn-cli queue`"));
    queued = store->QueuedCaptures();
    ASSERT_EQ(queued.size(), 1u);
    EXPECT_EQ(queued[0].capture.measuredUtc, Capture({}, {}, 101).measuredUtc);
    EXPECT_EQ(queued[0].setAsideReason, QStringLiteral("Batch \"lot-1\" has no cell 9"));
    EXPECT_TRUE(store->WaitingRechecks(TestBatch).empty()) << "one set aside does not wait";
    const std::vector<CellRow> cells = store->Cells(TestBatch);
    ASSERT_EQ(cells.size(), 2u) << "no cell made for the recheck of cell 9";
    for (const auto& [cell, second] : {std::pair{0, 100}, std::pair{1, 102}}) {
        EXPECT_EQ(cells[cell].latest.grade, QStringLiteral("A"));
        EXPECT_EQ(cells[cell].latest.measuredUtc, Capture({}, {}, cell + 1).measuredUtc);
        EXPECT_EQ(cells[cell].recheck.value().measuredUtc, Capture({}, {}, second).measuredUtc);
    }
}

// String readings taken while the server is away wait in the queue with the inspection they
// belong to, which the first of them makes once it is back; one of a string removed meanwhile is
// set aside with the reason.
TEST_P(PostgresqlServerTest, QueuedStringReadingsMakeTheirInspectionOnceTheServerIsBack)
{
    const StoreAddress address = NewDatabase();
    auto store = OpenStore(address);
    store->AddSite({QStringLiteral("Plant 2")});
    for (const char* name : {"UPS A", "UPS B"})
        store->AddString({QStringLiteral("Plant 2"), QString::fromLatin1(name), 2, 12, QStringLiteral("vrla"), 6, true});
    const QString site = QStringLiteral("Plant 2");
    const QString upsA = QStringLiteral("UPS A");
    EXPECT_FALSE(store->StringHistoryOf(site, upsA).rememberedUtc.isValid()) << "read from the server";
    StopServer();
    const std::tuple<const char*, strings::Place, bool> readings[] = {
        {"UPS A", {strings::PlaceKind::Block, 1}, false},
        {"UPS A", {strings::PlaceKind::Strap, 1}, false},
        {"UPS B", {strings::PlaceKind::Block, 1}, false},
        {"UPS A", {strings::PlaceKind::Block, 2}, true}};
    int second = 0;
    for (const auto& [string, place, missing] : readings) {
        CaptureInput reading = Capture({}, QStringLiteral("s1"), ++second, {});
        reading.batch.clear();
        reading.inspection = InspectionTarget{QStringLiteral("Plant 2"), QString::fromLatin1(string),
                                              QStringLiteral("walk-") + string, reading.measuredUtc, 19.0,
                                              QStringLiteral("north"), place, missing};
        EXPECT_TRUE(store->RecordCapture(reading).queued);
    }
    const std::vector<QueuedCapture> queued = store->QueuedCaptures();
    ASSERT_EQ(queued.size(), 4u);
    EXPECT_EQ(queued[3].capture.inspection, InspectionTarget({QStringLiteral("Plant 2"), QStringLiteral("UPS A"),
                                                              QStringLiteral("walk-UPS A"), Capture({}, {}, 4).measuredUtc,
                                                              19.0, QStringLiteral("north"),
                                                              {strings::PlaceKind::Block, 2}, true}))
        << "kept whole in the queue file";
    // Offline, the string as the station saw it, with the inspection its queued readings make.
    const StringHistory seen = store->StringHistoryOf(site, upsA);
    EXPECT_TRUE(seen.rememberedUtc.isValid());
    ASSERT_EQ(seen.inspections.size(), 1u);
    EXPECT_EQ(seen.inspections[0].id, 0);
    EXPECT_EQ(seen.inspections[0].ambientC, 19.0);
    ASSERT_EQ(seen.readings.size(), 3u);
    EXPECT_EQ(seen.readings[2].inspectionUuid, QStringLiteral("walk-UPS A"));
    EXPECT_TRUE(seen.readings[2].missing);
    const StoreError unseen = ErrorOf([&] { store->StringHistoryOf(site, QStringLiteral("UPS B")); });
    EXPECT_EQ(unseen.Kind(), StoreErrorKind::Unreachable);
    EXPECT_THAT(unseen.Message().toStdString(), ::testing::HasSubstr("this station has not seen it there before"));
    StartServer();
    RunSql(address, QStringLiteral("DELETE FROM battery_strings WHERE name = 'UPS B'"));

    EXPECT_EQ(store->Flush(), 3);
    ASSERT_EQ(store->QueuedCaptures().size(), 1u);
    EXPECT_EQ(store->QueuedCaptures()[0].setAsideReason, QStringLiteral("There is no string \"UPS B\" at site \"Plant 2\""));
    const std::vector<InspectionInfo> inspections = store->Inspections(QStringLiteral("Plant 2"), QStringLiteral("UPS A"));
    ASSERT_EQ(inspections.size(), 1u);
    EXPECT_EQ(inspections[0].notes, QStringLiteral("north"));
    EXPECT_EQ(inspections[0].startedUtc, Capture({}, {}, 1).measuredUtc) << "as its first reading made it";
    EXPECT_EQ(store->InspectionReadings(inspections[0].id).size(), 3u);
    const StringHistory sent = store->StringHistoryOf(site, upsA);
    EXPECT_EQ(sent.inspections.size(), 1u);
    EXPECT_EQ(sent.readings.size(), 3u) << "the queue sent is not counted twice";
}

// A capture costs the server one statement, whatever it comes to, so one round trip; two at
// most. The cell it reached tells that it was stored.
TEST_P(PostgresqlServerTest, ACaptureTakesAtMostTwoRoundTripsToTheServer)
{
    const StoreAddress address = NewDatabase();
    auto store = OpenStore(address);
    store->CreateBatch(TestBatch);
    CaptureInput sent = Capture(QStringLiteral("L1"));
    sent.clientUuid = QStringLiteral("5d3a8b0e-1f62-4c1e-9a57-0c2b7e4d9f10");
    store->RecordCapture(sent);
    CaptureInput missingBatch = Capture({});
    missingBatch.batch = QStringLiteral("lot-2");
    const auto recheck = [](const QString& label) {
        CaptureInput reading = Capture(label);
        reading.kind = MeasurementKind::Recheck;
        return reading;
    };
    const std::pair<CaptureInput, qint64> captures[] = {  // the capture, the cell it reaches (0: refused)
        {Capture({}), 2},                  // a new cell
        {Capture(QStringLiteral("L3")), 3},  // a new cell by its label
        {Capture(QStringLiteral("L1")), 1},  // a retest by label
        {Capture(QStringLiteral("#0009")), 9},  // a new cell by its number
        {Capture(QStringLiteral("2")), 2},    // a retest by number
        {sent, 1},                          // sent again
        {missingBatch, 0},
        {recheck(QStringLiteral("L3")), 3},
        {recheck(QStringLiteral("#0002")), 2},
        {recheck(QStringLiteral("L7")), 0},  // no such cell
    };
    testing::ServerStatementCounter statements(address.database);
    for (const auto& [capture, number] : captures) {
        qint64 reached = 0;
        try {
            reached = store->RecordCapture(capture).cellNumber;
        } catch (const StoreError& error) {
            EXPECT_EQ(error.Kind(), StoreErrorKind::NotFound) << error.what();
        }
        EXPECT_EQ(reached, number) << capture.label.toStdString();
        const std::optional<qint64> counted = statements.Counted();
        ASSERT_TRUE(counted.has_value()) << "the server counts no statements: start it with pg_stat_statements";
        EXPECT_LE(*counted, 2) << capture.label.toStdString();
    }
    EXPECT_EQ(store->Cells(TestBatch).size(), 4u);
}

// A connection of the test's own that holds a batch locked, as a capture does, until Release().
class BatchHolder {
public:
    explicit BatchHolder(const StoreAddress& address) : database_(address.database)
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), kName);
        db.setDatabaseName(database_);
        EXPECT_TRUE(db.open());
        QSqlQuery hold(db);
        EXPECT_TRUE(hold.exec(QStringLiteral("BEGIN")));
        EXPECT_TRUE(hold.exec(QStringLiteral("SELECT id FROM batches WHERE name = '%1' FOR UPDATE").arg(TestBatch)));
    }
    ~BatchHolder() { QSqlDatabase::removeDatabase(kName); }
    BatchHolder(const BatchHolder&) = delete;
    BatchHolder& operator=(const BatchHolder&) = delete;

    // The statement that lists the server processes of the database that wait for a lock.
    QString Waiting(const QString& select) const
    {
        return QStringLiteral("SELECT %1 FROM pg_stat_activity WHERE datname = '%2' AND wait_event_type = 'Lock'")
            .arg(select, database_);
    }
    // Until `count` captures wait for the batch (ten seconds at most).
    void AwaitWaiting(int count) const
    {
        const QString waiting = Waiting(QStringLiteral("COUNT(*)"));
        for (int tries = 0; tries < 500 && SqlValue(ServerDatabase({}), waiting).toInt() < count; ++tries)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        EXPECT_EQ(SqlValue(ServerDatabase({}), waiting).toInt(), count) << "captures waiting for the batch";
    }
    void Release() const { EXPECT_TRUE(QSqlQuery(QSqlDatabase::database(kName, false)).exec(QStringLiteral("COMMIT"))); }

private:
    inline static const QString kName = QStringLiteral("batch-holder");
    QString database_;
};

// Each station, with a queue of its own, captures `capture` and then sends what it queued, while
// the batch is held; `held` runs once they all wait for it. Their receipts and what they sent.
std::vector<std::pair<CaptureReceipt, int>> CaptureWhileHeld(const StoreAddress& address, const QTemporaryDir& folder,
                                                             int stations, const CaptureInput& capture,
                                                             const std::function<void(const BatchHolder&)>& held)
{
    std::vector<std::pair<CaptureReceipt, int>> results(stations);
    std::vector<std::string> failures(stations);
    {
        const BatchHolder holder(address);
        std::vector<std::thread> threads;
        for (int s = 0; s < stations; ++s) {
            threads.emplace_back([&, s] {
                try {
                    CellStore store({folder.filePath(QStringLiteral("held-%1.db").arg(s))});
                    store.Open(address);
                    results[s].first = store.RecordCapture(capture);
                    results[s].second = store.Flush();
                } catch (const StoreError& error) {
                    failures[s] = error.what();
                }
            });
        }
        holder.AwaitWaiting(stations);
        held(holder);
        holder.Release();
        for (auto& thread : threads)
            thread.join();
    }
    for (const std::string& failure : failures)
        EXPECT_EQ(failure, "");
    return results;
}

// Two stations send the same capture at once (a station resends one it cannot tell reached the
// server): both wait for the batch, and once it is free the one that comes second sees what the
// first stored. It is stored once, and both learn its cell.
TEST_P(PostgresqlServerTest, TheSameCaptureSentFromTwoStationsAtOnceIsStoredOnce)
{
    const StoreAddress address = NewDatabase();
    OpenStore(address)->CreateBatch(TestBatch);
    CaptureInput capture = Capture(QStringLiteral("L1"));
    capture.clientUuid = QStringLiteral("0f6c2a94-7d1b-4e38-b5a0-93e1c4d7a216");
    const auto results = CaptureWhileHeld(address, folder_, 2, capture, [](const BatchHolder&) {});
    EXPECT_EQ(results[0].first.cellNumber, 1);
    EXPECT_EQ(results[1].first.cellNumber, 1);
    EXPECT_NE(results[0].first.newCell, results[1].first.newCell) << "the one stored makes the cell";
    EXPECT_EQ(SqlValue(address, QStringLiteral("SELECT COUNT(*) FROM measurements")).toInt(), 1);
    EXPECT_EQ(SqlValue(address, QStringLiteral("SELECT COUNT(*) FROM cells")).toInt(), 1);
}

// A connection cut while its capture runs on the server, here waiting for the batch, leaves the
// capture queued, and it is stored once the station is back.
TEST_P(PostgresqlServerTest, ACaptureWhoseConnectionIsCutOnTheServerWaitsInTheQueue)
{
    const StoreAddress address = NewDatabase();
    OpenStore(address)->CreateBatch(TestBatch);
    const auto results = CaptureWhileHeld(address, folder_, 1, Capture(QStringLiteral("L1")), [](const BatchHolder& holder) {
        SqlValue(ServerDatabase({}), holder.Waiting(QStringLiteral("pg_terminate_backend(pid)")));
    });
    EXPECT_TRUE(results[0].first.queued);
    EXPECT_EQ(results[0].second, 1);
    EXPECT_EQ(SqlValue(address, QStringLiteral("SELECT COUNT(*) FROM measurements")).toInt(), 1);
}

} // namespace
} // namespace voltaryn::store
