#pragma once

#include "store/StoreError.h"

#include <QSqlError>

namespace voltaryn::store {

// What a PostgreSQL failure means for a capture: Unreachable when a later try may succeed (the
// connection is gone, the server shuts down, is read-only for now, out of resources, cancelled the
// statement, or the transaction lost a serialization race or a deadlock), Conflict for a taken
// name, Failed for a refusal no retry cures. Judged by the error's type and SQLSTATE alone.
StoreErrorKind ServerFailureKind(QSqlError::ErrorType type, const QString& sqlstate);

} // namespace voltaryn::store
