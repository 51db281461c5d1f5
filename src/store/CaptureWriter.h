#pragma once

#include "store/StoreTypes.h"

namespace voltaryn::store {

class SqlConnection;

// Commits one capture to the server: to the cell its label names (as CheckedCellKey reads it: a
// label, or a cell's number in any spelling), else to a new cell, which takes the number the label
// spells or else the batch's next number that no cell has. A capture whose client UUID is already
// stored is not stored again: its receipt is returned as it was, so replaying the offline queue
// does no harm. SQLite runs these rules statement by statement; PostgreSQL runs them in one
// round trip, as the function its migration 003 installs.
CaptureReceipt WriteCapture(SqlConnection& connection, const CaptureInput& capture);

// The batch's row id, or StoreError(NotFound). Within a write transaction, Lock makes other
// writers to the batch wait until this one commits.
enum class BatchAccess { Read, Lock };
qint64 BatchId(SqlConnection& connection, const QString& batch, BatchAccess access = BatchAccess::Read);

// A cell of the batch with the row id `batchId`, found by its number or its label.
struct StoredCell {
    QVariant id;
    qint64 number = 0;
    QString label;
};
std::optional<StoredCell> FindCell(SqlConnection& connection, qint64 batchId, const CellKey& cell);

} // namespace voltaryn::store
