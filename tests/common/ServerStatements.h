#pragma once

// How many statements a PostgreSQL server runs on one database, as pg_stat_statements counts
// them: top-level statements only, so one per round trip of a client (a statement's first
// PREPARE aside, which it leaves out). Needs a server started with
// shared_preload_libraries=pg_stat_statements (pg_virtualenv -o ...).
#include <QSqlDatabase>
#include <QSqlQuery>

#include <atomic>
#include <optional>

namespace voltaryn::testing {

// Counts on a connection of its own, opened before the count starts, and leaves out the
// counting's own statements.
class ServerStatementCounter {
public:
    // `database` on the server of libpq's PG* variables; empty: libpq's default one.
    explicit ServerStatementCounter(const QString& database = {})
        : name_(QStringLiteral("statement-counter-%1").arg(++instances_))
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name_);
        db.setDatabaseName(database);
        if (db.open())
            last_ = Total();
    }
    ~ServerStatementCounter() { QSqlDatabase::removeDatabase(name_); }
    ServerStatementCounter(const ServerStatementCounter&) = delete;
    ServerStatementCounter& operator=(const ServerStatementCounter&) = delete;

    // The statements run since the count started or was last read; nullopt when the server does
    // not count them.
    std::optional<qint64> Counted()
    {
        const std::optional<qint64> total = last_ ? Total() : std::nullopt;
        const std::optional<qint64> counted = total ? std::optional<qint64>(*total - *last_) : std::nullopt;
        last_ = total;
        return counted;
    }

private:
    std::optional<qint64> Total() const
    {
        QSqlQuery query(QSqlDatabase::database(name_, false));
        if (!query.exec(QStringLiteral("SELECT COUNT(*) FROM pg_extension WHERE extname = 'pg_stat_statements'"))
            || !query.next())
            return std::nullopt;
        if (query.value(0).toInt() == 0 && !query.exec(QStringLiteral("CREATE EXTENSION pg_stat_statements")))
            return std::nullopt;
        if (!query.exec(QStringLiteral("SELECT COALESCE(SUM(calls), 0) FROM pg_stat_statements "
                                       "WHERE dbid = (SELECT oid FROM pg_database WHERE datname = current_database()) "
                                       "AND query NOT LIKE '%pg_stat_statements%'"))
            || !query.next())
            return std::nullopt;
        return query.value(0).toLongLong();
    }

    inline static std::atomic<int> instances_{0};
    QString name_;
    std::optional<qint64> last_;
};

} // namespace voltaryn::testing
