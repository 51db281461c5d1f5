#pragma once

// How many statements a PostgreSQL server has run on one database, as pg_stat_statements counts
// them: top-level statements only, so one per round trip of a client (a statement's first
// PREPARE aside, which it leaves out). Needs a server started with
// shared_preload_libraries=pg_stat_statements (pg_virtualenv -o ...).
#include <QSqlDatabase>
#include <QSqlQuery>

#include <optional>

namespace voltaryn::testing {

// The count on the database `reader` is connected to, leaving out the counting's own statements;
// nullopt when the server does not count. Open `reader` before the count you start from, so that
// its own opening statements fall before it.
inline std::optional<qint64> StatementsRun(const QSqlDatabase& reader)
{
    QSqlQuery query(reader);
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

} // namespace voltaryn::testing
