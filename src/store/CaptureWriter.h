#pragma once

#include "store/StoreError.h"
#include "store/StoreTypes.h"

#include <QVariant>

#include <map>

namespace voltaryn::store {

class SqlConnection;

// Commits one capture to the server: to the cell its label names (as CheckedCellKey reads it: a
// label, or a cell's number in any spelling), else to a new cell, which takes the number the label
// spells or else the batch's next number that no cell has. A recheck goes only to a cell that a
// sorting capture in force keeps in the batch, else it is refused as NoSuchCell. A capture whose
// client UUID is already stored is not stored again: its receipt is returned as it was, so
// replaying the offline queue does no harm. SQLite runs these rules statement by statement;
// PostgreSQL runs them in one round trip, as the function its migrations 003 and 004 install.
// A capture with an InspectionTarget goes to WriteStringReading instead.
CaptureReceipt WriteCapture(SqlConnection& connection, const CaptureInput& capture);

// Commits a reading of a battery string to the place of the inspection its InspectionTarget
// names, making the inspection with its first reading; one whose client UUID is stored already is
// not stored again. A string the site does not hold is refused as NoSuchString, a place the string
// does not have (a strap of a string whose straps are not measured) as NotFound; nothing is
// stored then.
CaptureReceipt WriteStringReading(SqlConnection& connection, const CaptureInput& capture);
// The columns of what the meter read and who took it, bound alike for every kind of capture.
std::map<QString, QVariant> CaptureColumns(const CaptureInput& capture);
// 'There is no string "UPS A" at site "Plant 2"'.
StoreError NoSuchString(const QString& site, const QString& string);

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

// The cell the batch `batch` holds, by its number or by a label as CheckedCellKey reads it; else
// StoreError(NotFound) as NoSuchCell says it.
StoredCell CellOf(SqlConnection& connection, const QString& batch, const CellKey& cell);
// 'Batch "lot 7" has no cell 42' (or '... no cell "QR-7"').
StoreError NoSuchCell(const QString& batch, const CellKey& cell);

} // namespace voltaryn::store
