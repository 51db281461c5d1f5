// The cell reads of CellStore, and what rechecking a batch's cells needs: each cell's reference
// reading and the batch's self-discharge rules.
#include "store/CaptureWriter.h"
#include "store/CellStore.h"
#include "store/CheckedInput.h"
#include "store/SqlConnection.h"
#include "store/SqlValues.h"
#include "store/StoreError.h"
#include "store/WriteTransaction.h"

#include <limits>

namespace voltaryn::store {
namespace {

constexpr qint64 kAnyNumber = std::numeric_limits<qint64>::max();

// The reading in the four columns from `column` on: client UUID, time, voltage, temperature.
std::optional<VoltageReading> ReadingAt(const QSqlQuery& query, int column)
{
    if (query.value(column).isNull())
        return std::nullopt;
    return VoltageReading{query.value(column).toString(), FromUtcMs(query.value(column + 1)),
                          OptionalDouble(query.value(column + 2)), OptionalDouble(query.value(column + 3))};
}

// The cells numbered `first` to `last` of the batch with the row id `batch`, in one query.
std::vector<CellRow> CellRows(SqlConnection& server, qint64 batch, qint64 first, qint64 last)
{
    std::vector<CellRow> cells;
    QSqlQuery& query = server.Statement(QStringLiteral("batch_cells"));
    BindAll(query, {{QStringLiteral("batch"), batch}, {QStringLiteral("first"), first}, {QStringLiteral("last"), last}});
    server.Run(query);
    while (query.next()) {
        cells.push_back({query.value(0).toLongLong(),
                         query.value(1).toString(),
                         OptionalDouble(query.value(2)),
                         {query.value(3).toString(), query.value(4).toString(), query.value(5).toString(),
                          FromUtcMs(query.value(6)), OptionalDouble(query.value(7)),
                          OptionalDouble(query.value(8)), query.value(9).toString(), query.value(10).toString(),
                          query.value(11).toString(), OptionalDouble(query.value(12)),
                          query.value(13).toString(), query.value(23).toString(), OptionalTime(query.value(24))},
                         query.value(14).toString(),
                         ReadingAt(query, 15),
                         ReadingAt(query, 19)});
    }
    query.finish();
    return cells;
}

// The cell numbered `number`; empty when every capture of it was withdrawn.
std::optional<CellRow> CellRowOf(SqlConnection& server, qint64 batch, qint64 number)
{
    std::vector<CellRow> cells = CellRows(server, batch, number, number);
    return cells.empty() ? std::nullopt : std::optional<CellRow>(std::move(cells.front()));
}

} // namespace

std::vector<CellRow> CellStore::Cells(const QString& batch)
{
    std::vector<CellRow> cells;
    Online([&](SqlConnection& server) { cells = CellRows(server, BatchId(server, batch), 1, kAnyNumber); });
    return cells;
}

std::optional<CellRow> CellStore::Cell(const QString& batch, const CellKey& cell)
{
    std::optional<CellRow> row;
    Online([&](SqlConnection& server) {
        const qint64 id = BatchId(server, batch);
        if (const std::optional<StoredCell> found = FindCell(server, id, CheckedCellKey(cell)))
            row = CellRowOf(server, id, found->number);
    });
    return row;
}

void CellStore::SetReference(const QString& batch, const CellKey& cell, const QString& clientUuid)
{
    Online([&](SqlConnection& server) {
        WriteTransaction transaction(server);
        const StoredCell found = CellOf(server, batch, cell);
        QVariant capture;  // NULL: the first capture
        if (!clientUuid.isEmpty()) {
            capture = server.Value(QStringLiteral("reference_capture"),
                                   {{QStringLiteral("uuid"), clientUuid}, {QStringLiteral("cell"), found.id}});
            if (!capture.isValid())
                throw StoreError(StoreErrorKind::NotFound,
                                 QStringLiteral("Cell %1 of batch \"%2\" has no capture %3 in force")
                                     .arg(CellName(found.label, found.number), batch, clientUuid));
        }
        server.Value(QStringLiteral("set_reference"), {{QStringLiteral("measurement"), capture},
                                                        {QStringLiteral("cell"), found.id}});
        transaction.Commit();
    });
}

void CellStore::SetSelfDischarge(const QString& batch, const SelfDischargeRules& rules)
{
    CheckSelfDischarge(rules);
    Online([&](SqlConnection& server) {
        WriteTransaction transaction(server);
        server.Value(QStringLiteral("set_self_discharge"),
                     {{QStringLiteral("batch"), BatchId(server, batch)},
                      {QStringLiteral("limit_mv_per_day"), rules.absoluteLimitMvPerDay},
                      {QStringLiteral("rest_days"), rules.minimumRestDays}});
        transaction.Commit();
    });
}

} // namespace voltaryn::store
