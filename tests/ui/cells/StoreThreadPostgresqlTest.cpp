// The store's thread, with nothing asked of it, sends what was queued while the server was away
// once the server is back, and says so; the Queue window shows what waits and what the server
// refused. Runs under pg_virtualenv, which starts a throwaway cluster named "regress" and points
// libpq's PG* variables at it.
#include "support/ScriptedDialogService.h"
#include "ui/cells/QueueDialog.h"
#include "ui/cells/StoreThread.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace voltaryn {
namespace {

void Server(const char* action)
{
    ASSERT_EQ(QProcess::execute("pg_ctlcluster", {qEnvironmentVariable("PGVERSION"), "regress", action, "-m", "fast"}), 0);
}

store::StoreAddress Database(const char* name)
{
    EXPECT_EQ(QProcess::execute(QStringLiteral("createdb"), {QString::fromLatin1(name)}), 0);
    store::StoreAddress address;
    address.engine = store::Engine::Postgresql;
    address.database = QString::fromLatin1(name);
    return address;
}

store::CaptureInput Capture(int second)
{
    store::CaptureInput capture;
    capture.batch = QStringLiteral("lot");
    capture.station = QStringLiteral("s1");
    capture.measuredUtc = QDateTime::currentDateTimeUtc().addSecs(second);
    capture.grade = QStringLiteral("A");
    return capture;
}

TEST(StoreThreadPostgresql, ItsTimerSendsTheQueueOnceTheServerIsBack)
{
    const QCoreApplication& application = *QCoreApplication::instance();
    const store::StoreAddress address = Database("store_thread");
    const QTemporaryDir folder;
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
    for (int second = 1; second <= 2; ++second)
        thread.Run<store::CaptureReceipt>(
            [capture = Capture(second)](store::CellStore& store) { return store.RecordCapture(capture); }, answered);
    ASSERT_TRUE(QTest::qWaitFor([&answers] { return answers == 3; }, 10000));
    EXPECT_TRUE(QTest::qWaitFor([&status] { return status == QStringLiteral("offline — 2 queued"); }, 1000))
        << status.toStdString();

    Server("start");
    EXPECT_TRUE(QTest::qWaitFor([&sent] { return sent == 2; }, 30000)) << sent;
    EXPECT_TRUE(QTest::qWaitFor([&status] { return status == QStringLiteral("online"); }, 1000)) << status.toStdString();

    // Idle, it finds the server gone by itself, and once it is back hears what another program changes.
    int changes = 0;
    QObject::connect(&thread, &StoreThread::databaseChanged, &application, [&changes] { ++changes; });
    Server("stop");
    EXPECT_TRUE(QTest::qWaitFor([&status] { return status.startsWith(QStringLiteral("offline")); }, 10000))
        << status.toStdString();
    Server("start");
    EXPECT_TRUE(QTest::qWaitFor([&status] { return status == QStringLiteral("online"); }, 30000)) << status.toStdString();
    EXPECT_GT(changes, 0) << "what changed while it was away is told as it comes back";
    changes = 0;
    ASSERT_EQ(QProcess::execute("psql", {"-XqAd", "store_thread", "-c", "UPDATE batches SET notes = 'seen'"}), 0);
    EXPECT_TRUE(QTest::qWaitFor([&changes] { return changes > 0; }, 10000));
}

// Two captures and a string reading queued while the server was away, whose batch and string were
// gone when it came back, are set aside: the Queue window lists them with the server's reason (the
// reading by its string and place) and writes them out as `queue export` does; once the batch and
// string are made again, Retry sends them and nothing is left.
TEST(StoreThreadPostgresql, TheQueueWindowShowsWhatTheServerRefusedAndSendsItAgain)
{
    const store::StoreAddress address = Database("queue_view");
    const QTemporaryDir folder;
    const store::StoreOptions options{folder.filePath(QStringLiteral("queue.db"))};
    const auto makeBatchAndString = [](store::CellStore& store) {
        store.CreateBatch(QStringLiteral("lot"));
        store.AddSite({QStringLiteral("Plant")});
        store.AddString({QStringLiteral("Plant"), QStringLiteral("UPS"), 4, 12, QStringLiteral("vrla"), 6, true});
    };
    {
        store::CellStore store(options);
        store.Open(address);
        makeBatchAndString(store);
        Server("stop");
        for (int second = 1; second <= 2; ++second)
            ASSERT_TRUE(store.RecordCapture(Capture(second)).queued);
        store::CaptureInput reading = Capture(3);
        reading.batch.clear();
        reading.inspection = store::InspectionTarget{QStringLiteral("Plant"), QStringLiteral("UPS"), QStringLiteral("walk"),
                                                     reading.measuredUtc, {}, {}, {strings::PlaceKind::Strap, 1}, false};
        ASSERT_TRUE(store.RecordCapture(reading).queued);
        Server("start");
        ASSERT_EQ(QProcess::execute("psql", {"-XqAd", "queue_view", "-c", "DELETE FROM batches; DELETE FROM sites"}), 0);
        ASSERT_EQ(store.Flush(), 0);
    }
    StoreThread thread(address, options);
    testing::ScriptedDialogService dialogs;
    QueueDialog dialog(thread, dialogs);
    auto* table = dialog.findChild<QTableWidget*>("queueTable");
    auto* summary = dialog.findChild<QLabel*>("queueSummary");
    auto* retry = dialog.findChild<QPushButton*>("retrySetAside");
    ASSERT_TRUE(QTest::qWaitFor([table] { return table->rowCount() == 3; }, 10000));
    EXPECT_EQ(summary->text(), QStringLiteral("0 waiting for the server, 3 set aside"));
    EXPECT_EQ((QStringList{table->item(2, 1)->text(), table->item(2, 2)->text(), table->item(2, 4)->text()}),
              (QStringList{QStringLiteral("Plant / UPS"), QStringLiteral("Strap 1 → 2"), QStringLiteral("Inspection")}));
    EXPECT_TRUE(table->item(2, 7)->text().contains(QStringLiteral("There is no string \"UPS\" at site \"Plant\"")))
        << table->item(2, 7)->text().toStdString();
    EXPECT_EQ(table->item(0, 6)->text(), QStringLiteral("Set aside"));
    EXPECT_TRUE(table->item(1, 7)->text().contains(QStringLiteral("There is no batch \"lot\""))) << table->item(1, 7)->text().toStdString();

    dialogs.saveFileName = folder.filePath(QStringLiteral("queue.csv"));
    dialog.findChild<QPushButton*>("exportQueue")->click();
    QFile exported(dialogs.saveFileName);
    ASSERT_TRUE(exported.open(QIODevice::ReadOnly));
    EXPECT_EQ(exported.readLine(), "batch,label,time,station,grade,kind,state,reason,operator,voltage_v,"
                                   "resistance_mohm,range,temperature_c,uuid\n");
    EXPECT_TRUE(exported.readAll().startsWith("lot,,")) << "the captures follow";

    bool made = false;
    thread.Run<bool>([&makeBatchAndString](store::CellStore& store) {
        makeBatchAndString(store);
        return true;
    }, [&made](bool) { made = true; });
    ASSERT_TRUE(QTest::qWaitFor([&made] { return made; }, 10000));
    ASSERT_TRUE(retry->isEnabled());
    retry->click();
    EXPECT_TRUE(QTest::qWaitFor([table] { return table->rowCount() == 0; }, 10000));
    EXPECT_EQ(summary->text(), QStringLiteral("Nothing waits: the server has every capture of this station."));
    EXPECT_FALSE(retry->isEnabled());
}

} // namespace
} // namespace voltaryn

// The application lives while the tests run and goes before the program's own ends.
int main(int argc, char** argv)
{
    const QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
