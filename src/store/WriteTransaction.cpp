#include "store/WriteTransaction.h"

#include "store/SqlConnection.h"
#include "store/SqlStatements.h"
#include "store/StoreError.h"

namespace voltaryn::store {

WriteTransaction::WriteTransaction(SqlConnection& connection) : connection_(connection)
{
    connection_.RunText(SqlStatement(connection_.GetEngine(), QStringLiteral("begin_write")));
}

// A connection that is gone took its transaction with it.
WriteTransaction::~WriteTransaction()
{
    if (!open_ || !connection_.IsOpen())
        return;
    try {
        connection_.RunText(QStringLiteral("ROLLBACK"));
    } catch (const StoreError&) {  // NOLINT(bugprone-empty-catch): it went while rolling back
    }
}

void WriteTransaction::Commit()
{
    connection_.RunText(QStringLiteral("COMMIT"));
    open_ = false;
}

} // namespace voltaryn::store
