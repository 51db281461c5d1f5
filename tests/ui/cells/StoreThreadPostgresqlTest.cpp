// The store's thread, with nothing asked of it, sends what was queued while the server was away
// once the server is back, and says so. Runs under pg_virtualenv, which starts a throwaway
// cluster named "regress" and points libpq's PG* variables at it.
#include "ui/cells/StoreThread.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace voltaryn {
namespace {

void Server(const char* action)
{
    ASSERT_EQ(QProcess::execute("pg_ctlcluster", {qEnvironmentVariable("PGVERSION"), "regress", action, "-m", "fast"}), 0);
}

TEST(StoreThreadPostgresql, ItsTimerSendsTheQueueOnceTheServerIsBack)
{
    int argc = 1;
    char name[] = "store-thread";
    char* argv[] = {name, nullptr};
    const QCoreApplication application(argc, argv);
    ASSERT_EQ(QProcess::execute(QStringLiteral("createdb"), {QStringLiteral("store_thread")}), 0);
    const QTemporaryDir folder;
    store::StoreAddress address;
    address.engine = store::Engine::Postgresql;
    address.database = QStringLiteral("store_thread");
    StoreThread thread(address, {folder.filePath(QStringLiteral("queue.db"))});
    QString status;
    int sent = 0;
    QObject::connect(&thread, &StoreThread::statusChanged, &application,
                     [&status](bool, const QString& text) { status = text; });
    QObject::connect(&thread, &StoreThread::queueSent, &application, [&sent](int count) { sent += count; });
    int answers = 0;
    const auto answered = [&answers](auto) { ++answers; };

    thread.Run<bool>([](store::CellStore& store) {
        store.CreateBatch(QStringLiteral("lot"));
        return true;
    }, answered);
    ASSERT_TRUE(QTest::qWaitFor([&answers] { return answers == 1; }, 10000));
    Server("stop");
    for (int second = 1; second <= 2; ++second) {
        store::CaptureInput capture;
        capture.batch = QStringLiteral("lot");
        capture.station = QStringLiteral("s1");
        capture.measuredUtc = QDateTime::currentDateTimeUtc().addSecs(second);
        capture.grade = QStringLiteral("A");
        thread.Run<store::CaptureReceipt>([capture](store::CellStore& store) { return store.RecordCapture(capture); },
                                          answered);
    }
    ASSERT_TRUE(QTest::qWaitFor([&answers] { return answers == 3; }, 10000));
    EXPECT_TRUE(QTest::qWaitFor([&status] { return status == QStringLiteral("offline — 2 queued"); }, 1000))
        << status.toStdString();

    Server("start");
    EXPECT_TRUE(QTest::qWaitFor([&sent] { return sent == 2; }, 30000)) << sent;
    EXPECT_TRUE(QTest::qWaitFor([&status] { return status == QStringLiteral("online"); }, 1000)) << status.toStdString();
}

} // namespace
} // namespace voltaryn
