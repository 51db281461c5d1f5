#include "store/ServerFailure.h"

#include <array>

namespace voltaryn::store {
namespace {

// SQLSTATE classes and codes after which the same write may succeed later: connection failures,
// insufficient resources, shutdowns; a read-only transaction, a serialization failure, a deadlock,
// a cancelled statement.
constexpr std::array kRetryClasses{"08", "53", "57P"};
constexpr std::array kRetryCodes{"25006", "40001", "40P01", "57014"};

} // namespace

StoreErrorKind ServerFailureKind(QSqlError::ErrorType type, const QString& sqlstate)
{
    // No SQLSTATE: the server never answered (libpq's own connection errors carry none).
    if (type == QSqlError::ConnectionError || sqlstate.isEmpty())
        return StoreErrorKind::Unreachable;
    for (const char* prefix : kRetryClasses)
        if (sqlstate.startsWith(QLatin1String(prefix)))
            return StoreErrorKind::Unreachable;
    for (const char* code : kRetryCodes)
        if (sqlstate == QLatin1String(code))
            return StoreErrorKind::Unreachable;
    return sqlstate == QLatin1String("23505") ? StoreErrorKind::Conflict : StoreErrorKind::Failed;
}

} // namespace voltaryn::store
