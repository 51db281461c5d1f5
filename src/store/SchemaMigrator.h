#pragma once

#include "store/StoreAddress.h"

#include <QtGlobal>

#include <memory>

namespace voltaryn::store {

class SqlConnection;

// The schema version a database is at, and the oldest schema a program may know and still use it.
struct SchemaVersion {
    int current = 0;
    int minCompatible = 0;
};

// The newest schema this program knows and writes.
int LatestSchemaVersion();

// Reads the version of a database (0 for an empty one).
SchemaVersion ReadSchemaVersion(SqlConnection& connection);

// Opens the database and brings it to `targetVersion`, one recorded transaction per step.
// Refuses, untouched, a file that is not SQLite, a database that holds other tables but none of
// ours, and a database that needs a newer program; read-only, one that needs upgrading. Throws
// StoreError.
std::unique_ptr<SqlConnection> OpenStoreDatabase(const StoreAddress& address, qint64 nowUtcMs,
                                                 int targetVersion = LatestSchemaVersion(),
                                                 StoreAccess access = StoreAccess::ReadWrite);

} // namespace voltaryn::store
