// The store suite on PostgreSQL, and the offline queue against a server that stops and starts.
// Runs under pg_virtualenv, which starts a throwaway cluster named "regress", points libpq's PG*
// variables at it and removes it afterwards.
#include "store/StoreTestDatabase.h"

#include <QProcess>

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
}

} // namespace
} // namespace voltaryn::store
