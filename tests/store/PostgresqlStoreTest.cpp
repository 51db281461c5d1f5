// The store suite on PostgreSQL, and the offline queue against a server that stops and starts.
// Runs under pg_virtualenv, which starts a throwaway cluster named "regress", points libpq's PG*
// variables at it and removes it afterwards.
#include "common/ThrowawayServer.h"
#include "store/StoreTestDatabase.h"

#include <chrono>
#include <memory>

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

} // namespace
} // namespace voltaryn::store
