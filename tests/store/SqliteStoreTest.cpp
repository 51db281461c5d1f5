// The store suite on SQLite, and what only a SQLite file can go through.
#include "common/TempFolder.h"
#include "store/StoreTestDatabase.h"

#include <QFile>

#include <gmock/gmock.h>

namespace voltaryn::store {
namespace {

INSTANTIATE_TEST_SUITE_P(Sqlite, StoreTest, ::testing::Values(Engine::Sqlite), EngineName);

class SqliteFileTest : public StoreTest {};
INSTANTIATE_TEST_SUITE_P(Sqlite, SqliteFileTest, ::testing::Values(Engine::Sqlite), EngineName);

TEST_P(SqliteFileTest, AFileThatIsNotOursIsRefusedAndLeftAsItIs)
{
    const StoreAddress text = NewDatabase();
    QFile file(text.path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray("Voltage,IR\n3.61,21.4\n").repeated(300));
    file.close();
    const StoreAddress otherProgram = NewDatabase();
    RunSql(otherProgram, QStringLiteral("CREATE TABLE notes (id INTEGER PRIMARY KEY, text TEXT)"));
    RunSql(otherProgram, QStringLiteral("INSERT INTO notes (text) VALUES ('keep me')"));
    const StoreAddress onlyAView = NewDatabase();
    RunSql(onlyAView, QStringLiteral("CREATE VIEW answer AS SELECT 42 AS value"));

    for (const StoreAddress& address : {text, otherProgram, onlyAView}) {
        const std::string before = testing::FileBytes(address.path.toStdString());
        CellStore store;
        const StoreError error = ErrorOf([&] { store.Open(address); });
        EXPECT_EQ(error.Kind(), StoreErrorKind::Foreign) << address.path.toStdString();
        EXPECT_THAT(error.what(), ::testing::HasSubstr("left as it is"));
        EXPECT_EQ(testing::FileBytes(address.path.toStdString()), before) << address.path.toStdString();
    }
}

} // namespace
} // namespace voltaryn::store
