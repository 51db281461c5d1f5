// The pack operations of CellStore.
#include "store/CaptureWriter.h"
#include "store/CellStore.h"
#include "store/SqlConnection.h"
#include "store/SqlValues.h"
#include "store/StoreError.h"
#include "store/WriteTransaction.h"

namespace voltaryn::store {
namespace {

void CheckLayout(const PackLayout& pack)
{
    if (pack.name.trimmed().isEmpty() || pack.series < 1 || pack.parallel < 1)
        throw StoreError(StoreErrorKind::Invalid, QStringLiteral("A pack needs a name and at least 1S1P"));
    for (const PackPosition& place : pack.cells) {
        if (place.group < 0 || place.group >= pack.series || place.position < 0 || place.position >= pack.parallel)
            throw StoreError(StoreErrorKind::Invalid, QStringLiteral("Cell %1 is placed outside the %2S%3P pack \"%4\"")
                                                          .arg(place.cellNumber)
                                                          .arg(pack.series)
                                                          .arg(pack.parallel)
                                                          .arg(pack.name));
    }
}

// Runs one insert, turning a taken name or place into a message that says which.
QVariant InsertOrExplain(SqlConnection& server, const QString& statement, const std::map<QString, QVariant>& values,
                     const QString& conflict)
{
    try {
        return server.Value(statement, values);
    } catch (const StoreError& error) {
        if (error.Kind() != StoreErrorKind::Conflict)
            throw;
        throw StoreError(StoreErrorKind::Conflict, conflict);
    }
}

// A cell is in one saved pack at most: says which cell and which pack when it is in one already.
void RefuseTakenCell(SqlConnection& server, const QVariant& cell, qint64 cellNumber)
{
    QSqlQuery& query = server.Statement(QStringLiteral("pack_of_cell"));
    BindAll(query, {{QStringLiteral("cell"), cell}});
    server.Run(query);
    const bool taken = query.next();
    const QString pack = taken ? query.value(0).toString() : QString();
    const QString label = taken ? query.value(1).toString() : QString();
    query.finish();
    if (!taken)
        return;
    const QString name = label.isEmpty() ? QString::number(cellNumber) : QStringLiteral("%1 (%2)").arg(cellNumber).arg(label);
    throw StoreError(StoreErrorKind::Conflict, QStringLiteral("Cell %1 is already in pack \"%2\"").arg(name, pack));
}

} // namespace

void CellStore::SavePack(const QString& batch, const PackLayout& pack)
{
    CheckLayout(pack);
    Online([&](SqlConnection& server) {
        WriteTransaction transaction(server);
        const qint64 batchId = BatchId(server, batch);
        const QVariant packId = InsertOrExplain(server, QStringLiteral("insert_pack"),
                                                {{QStringLiteral("batch"), batchId},
                                                 {QStringLiteral("name"), pack.name},
                                                 {QStringLiteral("series"), pack.series},
                                                 {QStringLiteral("parallel"), pack.parallel},
                                                 {QStringLiteral("created"), options_.clock().toMSecsSinceEpoch()}},
                                                QStringLiteral("Batch \"%1\" already has a pack \"%2\"").arg(batch, pack.name));
        for (const PackPosition& place : pack.cells) {
            const QVariant cell = server.Value(QStringLiteral("cell_by_number"), {{QStringLiteral("batch"), batchId},
                                                                                  {QStringLiteral("number"), place.cellNumber}});
            if (!cell.isValid())
                throw NoSuchCell(batch, place.cellNumber);
            RefuseTakenCell(server, cell, place.cellNumber);
            InsertOrExplain(server, QStringLiteral("insert_pack_cell"),
                            {{QStringLiteral("pack"), packId},
                             {QStringLiteral("cell"), cell},
                             {QStringLiteral("group_index"), place.group},
                             {QStringLiteral("position"), place.position}},
                            QStringLiteral("Cell %1 or its place in \"%2\" is given twice")
                                .arg(place.cellNumber)
                                .arg(pack.name));
        }
        transaction.Commit();
    });
}

std::vector<PackLayout> CellStore::Packs(const QString& batch)
{
    std::vector<PackLayout> packs;
    Online([&](SqlConnection& server) {
        QSqlQuery& query = server.Statement(QStringLiteral("batch_packs"));
        query.bindValue(QStringLiteral(":batch"), BatchId(server, batch));
        server.Run(query);
        QVariant current;
        while (query.next()) {
            if (query.value(0) != current) {
                current = query.value(0);
                packs.push_back({query.value(1).toString(), query.value(2).toInt(), query.value(3).toInt(), {},
                                 FromUtcMs(query.value(4))});
            }
            if (!query.value(5).isNull())
                packs.back().cells.push_back({query.value(5).toInt(), query.value(6).toInt(), query.value(7).toLongLong()});
        }
        query.finish();
    });
    return packs;
}

} // namespace voltaryn::store
