// The store suite on PostgreSQL, and the offline queue against a server that stops and starts.
// Runs under pg_virtualenv, which starts a throwaway cluster named "regress", points libpq's PG*
// variables at it and removes it afterwards.
#include "store/StoreTestDatabase.h"

#include <QProcess>

#include <chrono>
#include <thread>

#include <gmock/gmock.h>

namespace voltaryn::store {
namespace {

INSTANTIATE_TEST_SUITE_P(Postgresql, StoreTest, ::testing::Values(Engine::Postgresql), EngineName);

class PostgresqlServerTest : public StoreTest {
protected:
    static void Server(const QString& action)
    {
        const QStringList arguments{qEnvironmentVariable("PGVERSION"), QStringLiteral("regress"), action,
                                    QStringLiteral("-m"), QStringLiteral("fast")};
        ASSERT_EQ(QProcess::execute(QStringLiteral("pg_ctlcluster"), arguments), 0) << action.toStdString();
    }

    StoreAddress address_;
};
INSTANTIATE_TEST_SUITE_P(Postgresql, PostgresqlServerTest, ::testing::Values(Engine::Postgresql), EngineName);

TEST_P(PostgresqlServerTest, CapturesTakenWhileTheServerIsDownArriveOnceEachAndInOrderWhenItReturns)
{
    address_ = NewDatabase();
    auto store = OpenStore(address_);
    store->CreateBatch(TestBatch);
    for (int i = 1; i <= 3; ++i)
        EXPECT_EQ(store->RecordCapture(Capture({}, QStringLiteral("s1"), i)).cellNumber, i);

    Server(QStringLiteral("stop"));
    for (int i = 4; i <= 6; ++i) {
        const CaptureReceipt receipt = store->RecordCapture(Capture(i == 5 ? QStringLiteral("L5") : QString(),
                                                                    QStringLiteral("s1"), i));
        EXPECT_TRUE(receipt.queued);
        EXPECT_EQ(receipt.cellNumber, 0);
    }
    EXPECT_EQ(store->Status().Text(), QStringLiteral("offline — 3 queued"));
    EXPECT_EQ(store->Flush(), 0);  // still down
    EXPECT_EQ(ErrorOf([&] { store->Cells(TestBatch); }).Kind(), StoreErrorKind::Unreachable) << "the server is down";

    Server(QStringLiteral("start"));
    // The station restarts with its queue; its next capture sends the queue ahead of itself.
    store.reset();
    CellStore station({folder_.filePath(QStringLiteral("queue-1.db"))});
    station.Open(address_);
    EXPECT_EQ(station.Status().Text(), QStringLiteral("online — 3 queued"));
    EXPECT_EQ(station.RecordCapture(Capture({}, QStringLiteral("s1"), 7)).cellNumber, 7);
    EXPECT_EQ(station.Status().Text(), QStringLiteral("online"));
    EXPECT_EQ(station.Flush(), 0);
    const auto cells = station.Cells(TestBatch);
    ASSERT_EQ(cells.size(), 7u);
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(cells[i].number, i + 1);
        EXPECT_EQ(cells[i].latest.measuredUtc, Capture({}, {}, i + 1).measuredUtc) << "cell " << i + 1;
    }
    EXPECT_EQ(cells[4].label, QStringLiteral("L5"));

    // A station that keeps running tries the server again by itself, 2 s after it went away.
    Server(QStringLiteral("stop"));
    const auto wentAway = std::chrono::steady_clock::now();
    EXPECT_TRUE(station.RecordCapture(Capture({}, QStringLiteral("s1"), 8)).queued);
    Server(QStringLiteral("start"));
    std::this_thread::sleep_until(wentAway + std::chrono::milliseconds(2500));
    EXPECT_EQ(station.RecordCapture(Capture({}, QStringLiteral("s1"), 9)).cellNumber, 9);
    EXPECT_EQ(station.Status().Text(), QStringLiteral("online"));
    EXPECT_EQ(station.Cells(TestBatch).size(), 9u);
}

TEST_P(PostgresqlServerTest, ATerminatedBackendAndAReadOnlySpellKeepCapturesQueuedUntilTheServerTakesThem)
{
    address_ = NewDatabase();
    auto store = OpenStore(address_);
    store->CreateBatch(TestBatch);
    EXPECT_EQ(store->RecordCapture(Capture({}, QStringLiteral("s1"), 1)).cellNumber, 1);

    const StoreAddress admin = ServerDatabase({});
    RunSql(admin, QStringLiteral("ALTER DATABASE %1 SET default_transaction_read_only = on").arg(address_.database));
    RunSql(admin, QStringLiteral("SELECT pg_terminate_backend(pid) FROM pg_stat_activity WHERE datname = '%1'")
                      .arg(address_.database));
    for (int i = 2; i <= 3; ++i)
        EXPECT_TRUE(store->RecordCapture(Capture({}, QStringLiteral("s1"), i)).queued) << i;
    EXPECT_EQ(store->Flush(), 0) << "the server is read-only";
    EXPECT_EQ(store->Status().Text(), QStringLiteral("offline — 2 queued"));

    RunSql(admin, QStringLiteral("ALTER DATABASE %1 RESET default_transaction_read_only").arg(address_.database));
    EXPECT_EQ(store->Flush(), 2);
    EXPECT_EQ(store->Status().Text(), QStringLiteral("online"));
    const auto cells = store->Cells(TestBatch);
    ASSERT_EQ(cells.size(), 3u);
    EXPECT_EQ(cells[2].latest.measuredUtc, Capture({}, {}, 3).measuredUtc);
}

} // namespace
} // namespace voltaryn::store
