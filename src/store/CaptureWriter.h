#pragma once

#include "store/StoreTypes.h"

namespace voltaryn::store {

class SqlConnection;

// Commits one capture to the server: to the cell with its label, or to a new cell with the
// batch's next number. A capture whose client UUID is already stored is not stored again: its
// receipt is returned as it was, so replaying the offline queue does no harm.
CaptureReceipt WriteCapture(SqlConnection& connection, const CaptureInput& capture);

// The batch's row id, or StoreError(NotFound). Within a write transaction, Lock makes other
// writers to the batch wait until this one commits.
enum class BatchAccess { Read, Lock };
qint64 BatchId(SqlConnection& connection, const QString& batch, BatchAccess access = BatchAccess::Read);

} // namespace voltaryn::store
