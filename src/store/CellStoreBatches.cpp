// The batch, cell and pack operations of CellStore: each needs the server. The offline queue
// remembers the batches the server shows this station, as it shows them.
#include "store/CaptureWriter.h"
#include "store/CellStore.h"
#include "store/CheckedInput.h"
#include "store/OfflineQueue.h"
#include "store/SqlConnection.h"
#include "store/SqlValues.h"
#include "store/StoreError.h"
#include "store/WriteTransaction.h"

#include <map>

namespace voltaryn::store {
namespace {

// A row of find_batch or list_batches: id, name, created, notes, grades, self-discharge rules,
// when the grades took effect and who set them.
BatchInfo BatchFromRow(const QSqlQuery& query)
{
    return {query.value(1).toString(), FromUtcMs(query.value(2)), query.value(3).toString(),
            query.value(4).toString(), {query.value(5).toDouble(), query.value(6).toInt()},
            FromUtcMs(query.value(7)), query.value(8).toString()};
}

// The values of a new batch's row, its name checked by the name rule; its grades set by `station`.
std::map<QString, QVariant> NewBatchValues(const QString& name, qint64 createdMs, const QString& notes,
                                           const QString& gradesJson, const QString& station)
{
    return {{QStringLiteral("name"), CheckedName(cells::NameKind::Batch, name)},
            {QStringLiteral("created"), createdMs},
            {QStringLiteral("grades_from"), createdMs},
            {QStringLiteral("notes"), notes},
            {QStringLiteral("grades"), gradesJson},
            {QStringLiteral("station"), station}};
}

} // namespace

void CellStore::CreateBatch(const QString& name, const QString& notes, const QString& gradesJson)
{
    const auto values = NewBatchValues(name, options_.clock().toMSecsSinceEpoch(), notes, gradesJson, options_.station);
    Online([&](SqlConnection& server) {
        try {
            server.Value(QStringLiteral("insert_batch"), values);
        } catch (const StoreError& error) {
            if (error.Kind() != StoreErrorKind::Conflict)
                throw;
            throw StoreError(StoreErrorKind::Conflict,
                             QStringLiteral("There is already a batch \"%1\"").arg(values.at(QStringLiteral("name")).toString()));
        }
    });
    if (queue_)
        queue_->RememberBatch({name, FromUtcMs(values.at(QStringLiteral("created"))), notes, gradesJson, {},
                               FromUtcMs(values.at(QStringLiteral("created"))), options_.station});
}

std::optional<BatchInfo> CellStore::FindBatch(const QString& name)
{
    std::optional<BatchInfo> found;
    Online([&](SqlConnection& server) {
        QSqlQuery& query = server.Statement(QStringLiteral("find_batch"));
        query.bindValue(QStringLiteral(":name"), name);
        server.Run(query);
        if (query.next())
            found = BatchFromRow(query);
        query.finish();
    });
    if (found && queue_)
        queue_->RememberBatch(*found);
    return found;
}

BatchInfo CellStore::FindOrCreateBatch(const QString& name, const QString& notes, const QString& gradesJson,
                                       bool* created)
{
    const auto values = NewBatchValues(name, options_.clock().toMSecsSinceEpoch(), notes, gradesJson, options_.station);
    const QString checked = values.at(QStringLiteral("name")).toString();
    bool inserted = false;
    try {
        Online([&](SqlConnection& server) {
            inserted = server.Value(QStringLiteral("insert_batch_if_missing"), values).isValid();  // the name it inserted
        });
    } catch (const StoreError& error) {
        if (error.Kind() != StoreErrorKind::Unreachable || !queue_)
            throw;
        if (std::optional<BatchInfo> known = queue_->KnownBatch(checked))
            return *std::move(known);
        throw StoreError(StoreErrorKind::Unreachable,
                         QStringLiteral("Batch \"%1\" cannot be started while the server is away: this station has "
                                        "not seen it there before, so its grades are unknown (%2)")
                             .arg(checked, error.Message()));
    }
    std::optional<BatchInfo> batch = FindBatch(checked);
    if (!batch)  // deleted by another station in between
        throw StoreError(StoreErrorKind::NotFound, QStringLiteral("There is no batch \"%1\"").arg(name));
    if (created != nullptr)
        *created = inserted;
    return *batch;
}

std::vector<BatchSummary> CellStore::ListBatches()
{
    std::vector<BatchSummary> batches;
    Online([&](SqlConnection& server) {
        std::map<qint64, std::size_t> byId;
        QSqlQuery& list = server.Statement(QStringLiteral("list_batches"));
        server.Run(list);
        while (list.next()) {
            byId[list.value(0).toLongLong()] = batches.size();
            batches.push_back({BatchFromRow(list), 0, {}});
        }
        list.finish();
        QSqlQuery& counts = server.Statement(QStringLiteral("batch_grade_counts"));
        server.Run(counts);
        while (counts.next()) {
            const auto found = byId.find(counts.value(0).toLongLong());
            if (found == byId.end())
                continue;  // a batch created since the list was read
            BatchSummary& summary = batches[found->second];
            summary.cellsPerGrade[counts.value(1).toString()] = counts.value(2).toLongLong();
            summary.cells += counts.value(2).toLongLong();
        }
        counts.finish();
    });
    return batches;
}

qint64 CellStore::DeleteBatch(const QString& name)
{
    qint64 cells = 0;
    Online([&](SqlConnection& server) {
        WriteTransaction transaction(server);
        const qint64 batch = BatchId(server, name);
        cells = server.Value(QStringLiteral("count_cells"), {{QStringLiteral("batch"), batch}}).toLongLong();
        server.Value(QStringLiteral("delete_batch"), {{QStringLiteral("batch"), batch}});
        transaction.Commit();
    });
    if (queue_)
        queue_->ForgetBatch(name);
    return cells;
}

std::optional<WithdrawnCapture> CellStore::WithdrawLast(const QString& batch, const QString& station,
                                                        MeasurementKind kind)
{
    std::optional<WithdrawnCapture> withdrawn;
    Online([&](SqlConnection& server) {
        WriteTransaction transaction(server);
        const qint64 id = BatchId(server, batch);
        QSqlQuery& last = server.Statement(QStringLiteral("last_capture_of_station"));
        BindAll(last, {{QStringLiteral("batch"), id}, {QStringLiteral("station"), station},
                       {QStringLiteral("kind"), KindText(kind)}});
        server.Run(last);
        QVariant measurement;
        if (last.next()) {
            measurement = last.value(0);
            withdrawn = WithdrawnCapture{last.value(1).toLongLong(), last.value(2).toString(), last.value(3).toString()};
        }
        last.finish();
        if (!measurement.isValid())
            return;
        server.Value(QStringLiteral("withdraw_measurement"), {{QStringLiteral("id"), measurement}});
        transaction.Commit();
    });
    return withdrawn;
}

void CellStore::SetCapacity(const QString& batch, const CellKey& cell, std::optional<double> capacityMah)
{
    SetCapacities(batch, {{cell, capacityMah}});
}

void CellStore::SetCapacities(const QString& batch, const std::vector<CellCapacity>& capacities)
{
    for (const CellCapacity& capacity : capacities)
        CheckCapacity(capacity);
    Online([&](SqlConnection& server) {
        WriteTransaction transaction(server);
        for (const CellCapacity& capacity : capacities) {
            server.Value(QStringLiteral("set_capacity"),
                         {{QStringLiteral("cell"), CellOf(server, batch, capacity.cell).id},
                          {QStringLiteral("capacity"), NullIfEmpty(capacity.capacityMah)}});
        }
        transaction.Commit();
    });
}

} // namespace voltaryn::store
