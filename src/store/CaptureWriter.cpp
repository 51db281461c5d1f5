#include "store/CaptureWriter.h"

#include "store/CheckedInput.h"
#include "store/SqlConnection.h"
#include "store/SqlValues.h"
#include "store/StoreError.h"
#include "store/WriteTransaction.h"

#include <QSqlError>

namespace voltaryn::store {
namespace {

// The SQLSTATEs voltaryn_record_capture() raises for a batch that does not exist, and for a
// recheck of a cell the batch does not hold.
const QString kNoSuchBatch = QStringLiteral("VT404");
const QString kNoSuchCell = QStringLiteral("VT405");

StoreError NoSuchBatch(const QString& batch)
{
    return {StoreErrorKind::NotFound, QStringLiteral("There is no batch \"%1\"").arg(batch)};
}

// The measurement's columns, bound alike on every engine.
std::map<QString, QVariant> MeasurementValues(const CaptureInput& capture)
{
    std::map<QString, QVariant> values = CaptureColumns(capture);
    values.insert({{QStringLiteral("grade"), capture.grade}, {QStringLiteral("kind"), KindText(capture.kind)}});
    return values;
}

std::optional<CaptureReceipt> StoredBefore(SqlConnection& connection, const QString& uuid)
{
    QSqlQuery& query = connection.Statement(QStringLiteral("capture_by_uuid"));
    query.bindValue(QStringLiteral(":uuid"), uuid);
    connection.Run(query);
    std::optional<CaptureReceipt> receipt;
    if (query.next())
        receipt = CaptureReceipt{false, query.value(0).toLongLong(), query.value(1).toString(), uuid, false, 0};
    query.finish();
    return receipt;
}

// The batch's next number that no cell has: a cell scanned by its number may have taken it.
qint64 FreeCellNumber(SqlConnection& connection, qint64 batch)
{
    for (;;) {
        const qint64 number =
            connection.Value(QStringLiteral("take_cell_number"), {{QStringLiteral("batch"), batch}}).toLongLong();
        if (!FindCell(connection, batch, number))
            return number;
    }
}

} // namespace

std::map<QString, QVariant> CaptureColumns(const CaptureInput& capture)
{
    return {{QStringLiteral("uuid"), capture.clientUuid},
            {QStringLiteral("station"), capture.station},
            {QStringLiteral("operator"), capture.operatorName},
            {QStringLiteral("measured"), capture.measuredUtc.toMSecsSinceEpoch()},
            {QStringLiteral("voltage"), NullIfEmpty(capture.voltageV)},
            {QStringLiteral("resistance"), NullIfEmpty(capture.resistanceMohm)},
            {QStringLiteral("voltage_text"), capture.voltageText},
            {QStringLiteral("resistance_text"), capture.resistanceText},
            {QStringLiteral("range_text"), capture.rangeText},
            {QStringLiteral("temperature"), NullIfEmpty(capture.temperatureC)}};
}

qint64 BatchId(SqlConnection& connection, const QString& batch, BatchAccess access)
{
    const QVariant id = connection.Value(access == BatchAccess::Lock ? QStringLiteral("lock_batch")
                                                                      : QStringLiteral("find_batch"),
                                         {{QStringLiteral("name"), batch}});
    if (!id.isValid())
        throw NoSuchBatch(batch);
    return id.toLongLong();
}

std::optional<StoredCell> FindCell(SqlConnection& connection, qint64 batchId, const CellKey& cell)
{
    const bool byNumber = std::holds_alternative<qint64>(cell);
    QSqlQuery& query = connection.Statement(byNumber ? QStringLiteral("cell_by_number") : QStringLiteral("cell_by_label"));
    query.bindValue(QStringLiteral(":batch"), batchId);
    if (byNumber)
        query.bindValue(QStringLiteral(":number"), std::get<qint64>(cell));
    else
        query.bindValue(QStringLiteral(":label"), std::get<QString>(cell));
    connection.Run(query);
    std::optional<StoredCell> found;
    if (query.next())
        found = StoredCell{query.value(0), query.value(1).toLongLong(), query.value(2).toString()};
    query.finish();
    return found;
}

StoredCell CellOf(SqlConnection& connection, const QString& batch, const CellKey& cell)
{
    const CellKey key = CheckedCellKey(cell);
    if (std::optional<StoredCell> found = FindCell(connection, BatchId(connection, batch), key))
        return *std::move(found);
    throw NoSuchCell(batch, key);
}

StoreError NoSuchCell(const QString& batch, const CellKey& cell)
{
    const QString name = std::holds_alternative<qint64>(cell) ? QString::number(std::get<qint64>(cell))
                                                              : '"' + std::get<QString>(cell) + '"';
    return {StoreErrorKind::NotFound, QStringLiteral("Batch \"%1\" has no cell %2").arg(batch, name)};
}

namespace {

// The cell a recheck reads: one the batch holds, kept in it by a sorting capture in force.
StoredCell RecheckedCell(SqlConnection& connection, qint64 batch, const QString& batchName, const CellKey& key)
{
    std::optional<StoredCell> cell = FindCell(connection, batch, key);
    if (!cell || !connection.Value(QStringLiteral("cell_in_force"), {{QStringLiteral("cell"), cell->id}}).isValid())
        throw NoSuchCell(batchName, key);
    return *std::move(cell);
}

// The rules statement by statement, for SQLite, where each is a call within the process;
// voltaryn_record_capture() (PostgreSQL migrations 003 and 004) is the same rules on the server.
CaptureReceipt WriteStepByStep(SqlConnection& connection, const CaptureInput& capture)
{
    WriteTransaction transaction(connection);
    const qint64 batch = BatchId(connection, capture.batch, BatchAccess::Lock);
    if (auto receipt = StoredBefore(connection, capture.clientUuid))
        return *receipt;

    CaptureReceipt receipt{false, 0, {}, capture.clientUuid, false, 0};
    const CellKey key = CheckedCellKey(capture.label);
    std::optional<StoredCell> cell;
    if (capture.kind == MeasurementKind::Recheck)
        cell = RecheckedCell(connection, batch, capture.batch, key);
    else if (!capture.label.isEmpty())
        cell = FindCell(connection, batch, key);
    if (!cell) {
        const qint64* number = std::get_if<qint64>(&key);
        const QString label = number != nullptr ? QString() : std::get<QString>(key);
        cell = StoredCell{{}, number != nullptr ? *number : FreeCellNumber(connection, batch), label};
        cell->id = connection.Value(QStringLiteral("insert_cell"), {{QStringLiteral("batch"), batch},
                                                                    {QStringLiteral("number"), cell->number},
                                                                    {QStringLiteral("label"), NullIfEmpty(label)}});
        receipt.newCell = true;
    }
    receipt.cellNumber = cell->number;
    receipt.label = cell->label;
    std::map<QString, QVariant> values = MeasurementValues(capture);
    values.emplace(QStringLiteral("cell"), cell->id);
    QSqlQuery& insert = connection.Statement(QStringLiteral("insert_measurement"));
    BindAll(insert, values);
    connection.Run(insert);
    transaction.Commit();
    return receipt;
}

// The rules in one round trip to a PostgreSQL server: voltaryn_record_capture(), called in
// autocommit, is its own transaction. It is given the label as CheckedCellKey reads it.
CaptureReceipt RecordOnServer(SqlConnection& connection, const CaptureInput& capture)
{
    const CellKey key = CheckedCellKey(capture.label);
    const qint64* number = std::get_if<qint64>(&key);
    std::map<QString, QVariant> values = MeasurementValues(capture);
    values.insert({{QStringLiteral("batch"), capture.batch},
                   {QStringLiteral("number"), number != nullptr ? QVariant(*number) : QVariant()},
                   {QStringLiteral("label"), number != nullptr ? QVariant() : NullIfEmpty(std::get<QString>(key))}});
    QSqlQuery& query = connection.Statement(QStringLiteral("record_capture"));
    BindAll(query, values);
    if (!query.exec()) {
        const QSqlError error = query.lastError();
        query.finish();
        if (error.nativeErrorCode() == kNoSuchBatch)
            throw NoSuchBatch(capture.batch);
        if (error.nativeErrorCode() == kNoSuchCell)
            throw NoSuchCell(capture.batch, key);
        connection.Fail(error, QStringLiteral("Cannot record a capture on"));
    }
    query.next();
    CaptureReceipt receipt{false, query.value(0).toLongLong(), query.value(1).toString(), capture.clientUuid,
                           query.value(2).toBool(), 0};
    query.finish();
    return receipt;
}

} // namespace

CaptureReceipt WriteCapture(SqlConnection& connection, const CaptureInput& capture)
{
    if (capture.inspection)
        return WriteStringReading(connection, capture);
    return connection.GetEngine() == Engine::Postgresql ? RecordOnServer(connection, capture)
                                                        : WriteStepByStep(connection, capture);
}

} // namespace voltaryn::store
