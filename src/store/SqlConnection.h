#pragma once

#include "store/StoreAddress.h"

#include <QSqlQuery>
#include <QString>
#include <QVariant>

#include <map>

class QSqlError;

namespace voltaryn::store {

// One open connection to the store's database, named uniquely and used only by the thread that
// opened it. Named statements are prepared once and kept; every failure is thrown as a
// StoreError whose kind says whether the server went away.
class SqlConnection {
public:
    // Opens without reading or writing anything, so a foreign file can still be refused intact.
    explicit SqlConnection(StoreAddress address, StoreAccess access = StoreAccess::ReadWrite);
    ~SqlConnection();
    SqlConnection(const SqlConnection&) = delete;
    SqlConnection& operator=(const SqlConnection&) = delete;

    Engine GetEngine() const { return address_.engine; }
    const StoreAddress& Address() const { return address_; }
    // Whether the connection still stands: one to a server that went away is closed.
    bool IsOpen() const;

    StoreAccess Access() const { return access_; }

    // SQLite, unless read-only: write-ahead log (read back and verified), full sync on commit,
    // foreign keys.
    void ConfigureSession();

    // The named statement (see SqlStatements), prepared; bind its values, then Run() it.
    QSqlQuery& Statement(const QString& name);
    // Runs a prepared statement; on success the query is positioned before its first row.
    void Run(QSqlQuery& query) const;
    // Runs a statement text as it stands.
    void RunText(const QString& sql);
    // Runs the named statement with its values bound by name and returns its first column of
    // its first row (an invalid QVariant when it returns no row).
    QVariant Value(const QString& name, const std::map<QString, QVariant>& values = {});

    // Whether another connection has changed the database since the last call. The first call
    // starts watching and answers true, since anything may have changed before it. PostgreSQL
    // hears it from the notifications the schema's triggers send (one round trip), SQLite from its
    // data_version; a server found gone throws StoreError(Unreachable).
    bool OthersChanged();

    [[noreturn]] void Fail(const QSqlError& error, const QString& doing) const;

private:
    QString SwitchToWriteAheadLog();
    // The notifications waiting on a PostgreSQL connection, taken; whether one came from another.
    bool OtherServerNotifications();

    StoreAddress address_;
    StoreAccess access_;
    QString name_;
    std::map<QString, QSqlQuery> statements_;
    bool watching_ = false;
    QVariant dataVersion_;  // SQLite's, when last read
};

// Binds each value to its named placeholder; an invalid QVariant is NULL.
void BindAll(QSqlQuery& query, const std::map<QString, QVariant>& values);

} // namespace voltaryn::store
