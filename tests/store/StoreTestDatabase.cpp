#include "store/StoreTestDatabase.h"

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace voltaryn::store {
namespace {

const QDateTime kDay(QDate(2026, 3, 2), QTime(8, 0), Qt::UTC);

// Qt's SQL drivers are plugins, which need an application object to load.
class QtApplication : public ::testing::Environment {
public:
    void SetUp() override { application_ = std::make_unique<QCoreApplication>(argc_, argv_); }
    void TearDown() override { application_.reset(); }

private:
    int argc_ = 1;
    char name_[16] = "store-tests";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QCoreApplication> application_;
};

[[maybe_unused]] auto* const kApplication = ::testing::AddGlobalTestEnvironment(new QtApplication);

} // namespace

StoreAddress ServerDatabase(const QString& name)
{
    StoreAddress address;
    address.engine = Engine::Postgresql;
    address.database = name;  // host, port, user and password from PG*
    return address;
}

StoreAddress StoreTest::NewDatabase()
{
    const QString name = QStringLiteral("store_test_%1").arg(databases_.size() + 1);
    databases_.push_back(name);
    if (GetParam() == Engine::Sqlite) {
        StoreAddress address;
        address.path = folder_.filePath(name + QStringLiteral(".db"));
        return address;
    }
    RunSql(ServerDatabase({}), QStringLiteral("DROP DATABASE IF EXISTS %1").arg(name));
    RunSql(ServerDatabase({}), QStringLiteral("CREATE DATABASE %1").arg(name));
    return ServerDatabase(name);
}

void StoreTest::TearDown()
{
    if (GetParam() != Engine::Postgresql)
        return;
    for (const QString& name : databases_)
        RunSql(ServerDatabase({}), QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(name));
}

std::unique_ptr<CellStore> StoreTest::OpenStore(const StoreAddress& address)
{
    auto tick = std::make_shared<int>(0);
    StoreOptions options{folder_.filePath(QStringLiteral("queue-%1.db").arg(++stores_)),
                         [tick] { return kDay.addSecs(++*tick); }};
    auto store = std::make_unique<CellStore>(options);
    store->Open(address);
    return store;
}

std::unique_ptr<CellStore> StoreTest::StoreWithBatch()
{
    auto store = OpenStore(NewDatabase());
    store->CreateBatch(TestBatch, QStringLiteral("incoming 18650"));
    return store;
}

CaptureInput Capture(const QString& label, const QString& station, int second, const QString& grade)
{
    const double volts = 3.6 + second / 1000.0;
    const double milliOhms = 20.0 + second / 100.0;
    return {.batch = TestBatch, .label = label, .clientUuid = {}, .station = station, .operatorName = QStringLiteral("kim"),
            .measuredUtc = kDay.addSecs(second), .voltageV = volts, .resistanceMohm = milliOhms,
            .voltageText = QString::number(volts, 'f', 4), .resistanceText = QString::number(milliOhms, 'f', 2),
            .rangeText = QStringLiteral("40 mOhm"), .temperatureC = 24.5, .grade = grade};
}

QVariant SqlValue(const StoreAddress& address, const QString& sql)
{
    const QString name = QStringLiteral("store-test-sql");
    QVariant value;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(
            address.engine == Engine::Sqlite ? QStringLiteral("QSQLITE") : QStringLiteral("QPSQL"), name);
        db.setDatabaseName(address.engine == Engine::Sqlite ? address.path : address.database);
        EXPECT_TRUE(db.open()) << db.lastError().text().toStdString();
        QSqlQuery query(db);
        EXPECT_TRUE(query.exec(sql)) << sql.toStdString() << ": " << query.lastError().text().toStdString();
        if (query.next())
            value = query.value(0);
    }
    QSqlDatabase::removeDatabase(name);
    return value;
}

std::string EngineName(const ::testing::TestParamInfo<Engine>& info)
{
    return info.param == Engine::Sqlite ? "Sqlite" : "Postgresql";
}

} // namespace voltaryn::store
