#include "store/WriteTransaction.h"

#include "store/SqlConnection.h"
#include "store/SqlStatements.h"
#include "store/StoreError.h"

namespace voltaryn::store {

WriteTransaction::WriteTransaction(SqlConnection& connection) : connection_(connection)
{
    connection_.RunText(SqlStatement(connection_.GetEngine(), QStringLiteral("begin_write")));
}

WriteTransaction::~WriteTransaction()
{
    if (!open_)
        return;
    try {
        connection_.RunText(QStringLiteral("ROLLBACK"));
    } catch (const StoreError&) {
        // The connection is gone, and the transaction with it.
    }
}

void WriteTransaction::Commit()
{
    connection_.RunText(QStringLiteral("COMMIT"));
    open_ = false;
}

} // namespace voltaryn::store
