#include "store/SchemaMigrator.h"

#include "store/SqlConnection.h"
#include "store/SqlStatements.h"
#include "store/StoreError.h"
#include "store/WriteTransaction.h"

#include <QStringList>

namespace voltaryn::store {
namespace {

const QString kSchemaTable = QStringLiteral("schema_migrations");

// The tables, views, indexes, triggers (and on PostgreSQL sequences and functions) of the
// database's schema: any of them without Voltaryn's own table makes the database another program's.
QStringList SchemaObjects(SqlConnection& connection)
{
    QSqlQuery& query = connection.Statement(QStringLiteral("schema_objects"));
    connection.Run(query);
    QStringList objects;
    while (query.next())
        objects << query.value(0).toString();
    query.finish();
    return objects;
}

void RefuseForeign(SqlConnection& connection)
{
    QStringList objects;
    try {
        objects = SchemaObjects(connection);
    } catch (const StoreError& error) {
        if (error.Kind() != StoreErrorKind::Foreign)
            throw;
        throw StoreError(StoreErrorKind::Foreign,
                         QStringLiteral("%1 is not a Voltaryn database (not an SQLite file, or a damaged one); "
                                        "it was left as it is")
                             .arg(connection.Address().DisplayText()));
    }
    if (!objects.isEmpty() && !objects.contains(kSchemaTable))
        throw StoreError(StoreErrorKind::Foreign,
                         QStringLiteral("%1 holds another program's tables or views (%2) and no Voltaryn tables; "
                                        "it was left as it is")
                             .arg(connection.Address().DisplayText(), objects.mid(0, 3).join(QStringLiteral(", "))));
}

void RefuseNewer(const SqlConnection& connection, const SchemaVersion& version)
{
    if (version.minCompatible > LatestSchemaVersion())
        throw StoreError(StoreErrorKind::Incompatible,
                         QStringLiteral("%1 needs Voltaryn schema %2 or newer, and this Voltaryn knows schema %3: "
                                        "update Voltaryn on this station to use it")
                             .arg(connection.Address().DisplayText())
                             .arg(version.minCompatible)
                             .arg(LatestSchemaVersion()));
}

void Migrate(SqlConnection& connection, qint64 nowUtcMs, int targetVersion)
{
    for (const Migration& migration : Migrations(connection.GetEngine())) {
        if (migration.version > targetVersion)
            break;
        WriteTransaction transaction(connection);
        connection.Value(QStringLiteral("lock_schema"));
        // Another station may have taken this step while this one waited for the lock.
        const SchemaVersion version = ReadSchemaVersion(connection);
        RefuseNewer(connection, version);
        if (version.current >= migration.version)
            continue;
        for (const QString& statement : migration.statements)
            connection.RunText(statement);
        connection.Value(QStringLiteral("record_migration"), {{QStringLiteral("version"), migration.version},
                                                              {QStringLiteral("min_compatible"), migration.minCompatible},
                                                              {QStringLiteral("now"), nowUtcMs}});
        transaction.Commit();
    }
}

} // namespace

int LatestSchemaVersion()
{
    return Migrations(Engine::Sqlite).back().version;
}

SchemaVersion ReadSchemaVersion(SqlConnection& connection)
{
    if (!SchemaObjects(connection).contains(kSchemaTable))
        return {};
    QSqlQuery& query = connection.Statement(QStringLiteral("schema_version"));
    connection.Run(query);
    SchemaVersion version;
    if (query.next())
        version = {query.value(0).toInt(), query.value(1).toInt()};
    query.finish();
    return version;
}

std::unique_ptr<SqlConnection> OpenStoreDatabase(const StoreAddress& address, qint64 nowUtcMs, int targetVersion,
                                                 StoreAccess access)
{
    // A server is upgraded by whoever reaches it first; only a SQLite file may be read-only.
    if (address.engine == Engine::Postgresql)
        access = StoreAccess::ReadWrite;
    auto connection = std::make_unique<SqlConnection>(address, access);
    RefuseForeign(*connection);
    connection->ConfigureSession();
    const SchemaVersion version = ReadSchemaVersion(*connection);
    RefuseNewer(*connection, version);
    if (access == StoreAccess::ReadWrite)
        Migrate(*connection, nowUtcMs, targetVersion);
    else if (version.current < targetVersion)
        throw StoreError(StoreErrorKind::Failed,
                         QStringLiteral("%1 holds schema %2 and can only be read once it is upgraded to %3: open it "
                                        "once where it can be written")
                             .arg(address.DisplayText())
                             .arg(version.current)
                             .arg(targetVersion));
    return connection;
}

} // namespace voltaryn::store
