#pragma once

#include "store/CellStore.h"
#include "store/StoreError.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace voltaryn::store {

// A store test that runs once per engine, each case on fresh databases of its own: SQLite files
// in a temporary folder, or databases created on the PostgreSQL server that libpq's PG*
// variables name (the throwaway one pg_virtualenv starts) and dropped afterwards.
class StoreTest : public ::testing::TestWithParam<Engine> {
protected:
    void TearDown() override;

    // A new, empty database.
    StoreAddress NewDatabase();
    // A store on `address`, opened, with a fixed clock and a queue file of its own.
    std::unique_ptr<CellStore> OpenStore(const StoreAddress& address);
    // A store on a new database with TestBatch in it.
    std::unique_ptr<CellStore> StoreWithBatch();

    QTemporaryDir folder_;

private:
    std::vector<QString> databases_;
    int stores_ = 0;
};

// The batch StoreWithBatch() creates and Capture() captures into.
inline const QString TestBatch = QStringLiteral("lot-1");

// A capture of `label` (empty: a new cell) by `station`, taken at the n-th second of the day.
CaptureInput Capture(const QString& label, const QString& station = QStringLiteral("station-1"), int second = 0,
                     const QString& grade = QStringLiteral("A"));

// The database `name` on the PostgreSQL server of libpq's PG* variables; empty: its default one.
StoreAddress ServerDatabase(const QString& name);

// Runs one statement as it stands on the database, outside the store; returns the first column
// of its first row, if any.
QVariant SqlValue(const StoreAddress& address, const QString& sql);
inline void RunSql(const StoreAddress& address, const QString& sql)
{
    SqlValue(address, sql);
}

// The StoreError that `call` throws; a test failure when it throws none.
template <typename Call>
StoreError ErrorOf(Call call)
{
    try {
        call();
    } catch (const StoreError& error) {
        return error;
    }
    ADD_FAILURE() << "no StoreError thrown";
    return StoreError(StoreErrorKind::Failed, {});
}

std::string EngineName(const ::testing::TestParamInfo<Engine>& info);

} // namespace voltaryn::store
