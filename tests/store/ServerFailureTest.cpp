// Which PostgreSQL failures leave a capture queued for a later try, and which refuse it.
#include "store/ServerFailure.h"

#include <gtest/gtest.h>

namespace voltaryn::store {
namespace {

TEST(ServerFailure, OnlyARefusalNoRetryCuresSetsACaptureAside)
{
    struct Case {
        QSqlError::ErrorType type;
        const char* sqlstate;
        StoreErrorKind kind;
    };
    const Case cases[] = {
        {QSqlError::ConnectionError, "", StoreErrorKind::Unreachable},
        {QSqlError::StatementError, "", StoreErrorKind::Unreachable},      // the connection went mid-statement
        {QSqlError::StatementError, "08006", StoreErrorKind::Unreachable}, // connection failure
        {QSqlError::StatementError, "57P01", StoreErrorKind::Unreachable}, // backend terminated
        {QSqlError::StatementError, "57P03", StoreErrorKind::Unreachable}, // starting up
        {QSqlError::StatementError, "25006", StoreErrorKind::Unreachable}, // read-only transaction
        {QSqlError::TransactionError, "40001", StoreErrorKind::Unreachable},
        {QSqlError::StatementError, "40P01", StoreErrorKind::Unreachable}, // deadlock
        {QSqlError::StatementError, "53100", StoreErrorKind::Unreachable}, // disk full
        {QSqlError::StatementError, "57014", StoreErrorKind::Unreachable}, // statement timeout
        {QSqlError::StatementError, "23505", StoreErrorKind::Conflict},
        {QSqlError::StatementError, "23503", StoreErrorKind::Failed},      // the batch is gone
        {QSqlError::StatementError, "VT404", StoreErrorKind::Failed},      // no such batch, from the server's capture
        {QSqlError::StatementError, "22P02", StoreErrorKind::Failed},
        {QSqlError::StatementError, "25P02", StoreErrorKind::Failed},      // not a read-only spell
    };
    for (const Case& c : cases)
        EXPECT_EQ(ServerFailureKind(c.type, QString::fromLatin1(c.sqlstate)), c.kind) << c.sqlstate;
}

} // namespace
} // namespace voltaryn::store
