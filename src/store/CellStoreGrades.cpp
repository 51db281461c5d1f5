// The grade operations of CellStore: a batch's grade tables, kept as they are replaced, regrading
// its cells under the current one, and a cell's every measurement.
#include "store/BatchCells.h"
#include "store/CaptureWriter.h"
#include "store/CellStore.h"
#include "store/OfflineQueue.h"
#include "store/SqlConnection.h"
#include "store/SqlValues.h"
#include "store/StoreError.h"
#include "store/WriteTransaction.h"

namespace voltaryn::store {
namespace {

// A row of latest_captures: the capture's row id, the cell, the figures it is graded by, its grade
// and pack.
struct LatestCapture {
    QVariant id;
    qint64 number = 0;
    QString label;
    std::optional<double> voltageV;
    std::optional<double> resistanceMohm;
    QString grade;
    QString pack;
};

// Read whole before anything is written: on PostgreSQL a statement run meanwhile would cut the rows short.
std::vector<LatestCapture> LatestCaptures(SqlConnection& server, qint64 batch)
{
    std::vector<LatestCapture> captures;
    QSqlQuery& query = server.Statement(QStringLiteral("latest_captures"));
    query.bindValue(QStringLiteral(":batch"), batch);
    server.Run(query);
    while (query.next())
        captures.push_back({query.value(0), query.value(1).toLongLong(), query.value(2).toString(),
                            OptionalDouble(query.value(3)), OptionalDouble(query.value(4)), query.value(5).toString(),
                            query.value(6).toString()});
    query.finish();
    return captures;
}

BatchInfo BatchNamed(CellStore& store, const QString& batch)
{
    std::optional<BatchInfo> found = store.FindBatch(batch);
    if (!found)
        throw StoreError(StoreErrorKind::NotFound, QStringLiteral("There is no batch \"%1\"").arg(batch));
    return *std::move(found);
}

} // namespace

void CellStore::SetGrades(const QString& batch, const QString& gradesJson)
{
    Online([&](SqlConnection& server) {
        WriteTransaction transaction(server);
        const qint64 id = BatchId(server, batch, BatchAccess::Lock);
        server.Value(QStringLiteral("keep_grade_table"), {{QStringLiteral("batch"), id}});
        server.Value(QStringLiteral("set_grades"), {{QStringLiteral("batch"), id},
                                                    {QStringLiteral("grades"), gradesJson},
                                                    {QStringLiteral("now"), options_.clock().toMSecsSinceEpoch()},
                                                    {QStringLiteral("station"), options_.station}});
        transaction.Commit();
    });
    if (queue_)
        queue_->RememberGrades(batch, gradesJson);
}

std::vector<GradeTableEntry> CellStore::GradeTables(const QString& batch)
{
    const BatchInfo current = BatchNamed(*this, batch);
    std::vector<GradeTableEntry> tables;
    Online([&](SqlConnection& server) {
        QSqlQuery& query = server.Statement(QStringLiteral("earlier_grade_tables"));
        query.bindValue(QStringLiteral(":batch"), BatchId(server, batch));
        server.Run(query);
        while (query.next())
            tables.push_back({query.value(0).toString(), FromUtcMs(query.value(1)), query.value(2).toString()});
        query.finish();
    });
    tables.push_back({current.gradesJson, current.gradesUtc, current.gradesStation});
    return tables;
}

RegradeResult CellStore::Regrade(const QString& batch)
{
    if (queue_)
        Flush();
    RegradeResult result;
    const qint64 now = options_.clock().toMSecsSinceEpoch();
    Online([&](SqlConnection& server) {
        WriteTransaction transaction(server);
        const qint64 id = BatchId(server, batch, BatchAccess::Lock);
        // Read under the batch's lock: no other station changes the table until this commits.
        BatchInfo current;
        current.name = batch;
        current.gradesJson = server.Value(QStringLiteral("batch_grades"), {{QStringLiteral("batch"), id}}).toString();
        const cells::GradeTable grades = RulesOf(current).grades;
        for (const LatestCapture& capture : LatestCaptures(server, id)) {
            if (!capture.voltageV || !capture.resistanceMohm) {
                ++result.unmeasured;
                continue;
            }
            ++result.cells;
            const QString grade =
                QString::fromStdString(grades.GradeOf(*capture.voltageV, *capture.resistanceMohm).Name);
            if (grade == capture.grade)
                continue;
            server.Value(QStringLiteral("regrade_measurement"),
                         {{QStringLiteral("id"), capture.id}, {QStringLiteral("grade"), grade}});
            result.changed.push_back({capture.number, capture.label, capture.grade, grade, capture.pack});
        }
        server.Value(QStringLiteral("stamp_regraded"), {{QStringLiteral("batch"), id}, {QStringLiteral("now"), now}});
        transaction.Commit();
    });
    return result;
}

std::vector<HistoryEntry> CellStore::History(const QString& batch, const CellKey& cell)
{
    std::vector<HistoryEntry> history;
    Online([&](SqlConnection& server) {
        QSqlQuery& query = server.Statement(QStringLiteral("cell_history"));
        query.bindValue(QStringLiteral(":cell"), CellOf(server, batch, cell).id);
        server.Run(query);
        while (query.next()) {
            history.push_back({{query.value(0).toString(), query.value(1).toString(), query.value(2).toString(),
                                FromUtcMs(query.value(3)), OptionalDouble(query.value(4)),
                                OptionalDouble(query.value(5)), query.value(6).toString(), query.value(7).toString(),
                                query.value(8).toString(), OptionalDouble(query.value(9)), query.value(10).toString(),
                                query.value(11).toString(), OptionalTime(query.value(12))},
                               KindOf(query.value(13).toString()),
                               query.value(14).toBool()});
        }
        query.finish();
    });
    return history;
}

} // namespace voltaryn::store
