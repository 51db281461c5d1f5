#include "store/CaptureWriter.h"

#include "store/SqlConnection.h"
#include "store/SqlValues.h"
#include "store/StoreError.h"
#include "store/WriteTransaction.h"

namespace voltaryn::store {
namespace {

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

} // namespace

qint64 BatchId(SqlConnection& connection, const QString& batch, BatchAccess access)
{
    const QVariant id = connection.Value(access == BatchAccess::Lock ? QStringLiteral("lock_batch")
                                                                      : QStringLiteral("find_batch"),
                                         {{QStringLiteral("name"), batch}});
    if (!id.isValid())
        throw StoreError(StoreErrorKind::NotFound, QStringLiteral("There is no batch \"%1\"").arg(batch));
    return id.toLongLong();
}

CaptureReceipt WriteCapture(SqlConnection& connection, const CaptureInput& capture)
{
    WriteTransaction transaction(connection);
    const qint64 batch = BatchId(connection, capture.batch, BatchAccess::Lock);
    if (auto receipt = StoredBefore(connection, capture.clientUuid))
        return *receipt;

    CaptureReceipt receipt{false, 0, capture.label, capture.clientUuid, false, 0};
    QVariant cell;
    if (!capture.label.isEmpty()) {
        QSqlQuery& query = connection.Statement(QStringLiteral("cell_by_label"));
        BindAll(query, {{QStringLiteral("batch"), batch}, {QStringLiteral("label"), capture.label}});
        connection.Run(query);
        if (query.next()) {
            cell = query.value(0);
            receipt.cellNumber = query.value(1).toLongLong();
        }
        query.finish();
    }
    if (!cell.isValid()) {
        receipt.newCell = true;
        receipt.cellNumber = connection.Value(QStringLiteral("take_cell_number"), {{QStringLiteral("batch"), batch}})
                                 .toLongLong();
        cell = connection.Value(QStringLiteral("insert_cell"), {{QStringLiteral("batch"), batch},
                                                                {QStringLiteral("number"), receipt.cellNumber},
                                                                {QStringLiteral("label"), NullIfEmpty(capture.label)}});
    }
    QSqlQuery& insert = connection.Statement(QStringLiteral("insert_measurement"));
    BindAll(insert, {{QStringLiteral("cell"), cell},
                     {QStringLiteral("uuid"), capture.clientUuid},
                     {QStringLiteral("station"), capture.station},
                     {QStringLiteral("operator"), capture.operatorName},
                     {QStringLiteral("measured"), capture.measuredUtc.toMSecsSinceEpoch()},
                     {QStringLiteral("voltage"), NullIfEmpty(capture.voltageV)},
                     {QStringLiteral("resistance"), NullIfEmpty(capture.resistanceMohm)},
                     {QStringLiteral("voltage_text"), capture.voltageText},
                     {QStringLiteral("resistance_text"), capture.resistanceText},
                     {QStringLiteral("range_text"), capture.rangeText},
                     {QStringLiteral("temperature"), NullIfEmpty(capture.temperatureC)},
                     {QStringLiteral("grade"), capture.grade}});
    connection.Run(insert);
    transaction.Commit();
    return receipt;
}

} // namespace voltaryn::store
