// Commits a reading of a battery string: the store's rules for a capture whose InspectionTarget
// names a place of an inspection.
#include "store/CaptureWriter.h"
#include "store/SqlConnection.h"
#include "store/SqlValues.h"
#include "store/WriteTransaction.h"

#include <QSqlError>

namespace voltaryn::store {
namespace {

// The SQLSTATEs voltaryn_record_string_reading() raises for a string that does not exist, and
// for a place it does not have.
const QString kNoSuchString = QStringLiteral("VT406");
const QString kNoSuchPlace = QStringLiteral("VT407");

StoreError NoSuchPlace(const InspectionTarget& target)
{
    return {StoreErrorKind::NotFound, QStringLiteral("String \"%1\" has no %2 %3")
                                          .arg(target.string, PlaceKindText(target.place.kind))
                                          .arg(target.place.number)};
}

// The inspection's columns and the reading's, bound alike on every engine.
std::map<QString, QVariant> InspectionValues(const InspectionTarget& target, const CaptureInput& capture)
{
    return {{QStringLiteral("inspection_uuid"), target.inspectionUuid},
            {QStringLiteral("started"), target.startedUtc.toMSecsSinceEpoch()},
            {QStringLiteral("ambient"), NullIfEmpty(target.ambientC)},
            {QStringLiteral("notes"), target.notes},
            {QStringLiteral("station"), capture.station},
            {QStringLiteral("operator"), capture.operatorName}};
}

std::map<QString, QVariant> ReadingValues(const InspectionTarget& target, const CaptureInput& capture)
{
    std::map<QString, QVariant> values = CaptureColumns(capture);
    values.insert({{QStringLiteral("kind"), PlaceKindText(target.place.kind)},
                   {QStringLiteral("position"), target.place.number},
                   {QStringLiteral("missing"), target.missing}});
    return values;
}

// The rules statement by statement, for SQLite; voltaryn_record_string_reading() (PostgreSQL
// migration 007) is the same rules on the server.
qint64 WriteStepByStep(SqlConnection& connection, const InspectionTarget& target, const CaptureInput& capture)
{
    WriteTransaction transaction(connection);
    QSqlQuery& found = connection.Statement(QStringLiteral("string_by_name"));
    found.bindValue(QStringLiteral(":site"), target.site);
    found.bindValue(QStringLiteral(":string"), target.string);
    connection.Run(found);
    if (!found.next()) {
        found.finish();
        throw NoSuchString(target.site, target.string);
    }
    const qint64 string = found.value(0).toLongLong();
    const int blocks = found.value(1).toInt();
    const bool straps = found.value(2).toBool();
    found.finish();
    const bool strap = target.place.kind == strings::PlaceKind::Strap;
    if (target.place.number > blocks - (strap ? 1 : 0) || (strap && !straps))
        throw NoSuchPlace(target);
    // Looked up first: an insert that finds its inspection there would use up an id all the same.
    const auto inspectionId = [&] {
        return connection.Value(QStringLiteral("walk_by_uuid"), {{QStringLiteral("uuid"), target.inspectionUuid}});
    };
    QVariant id = inspectionId();
    if (!id.isValid()) {
        std::map<QString, QVariant> inspection = InspectionValues(target, capture);
        inspection.emplace(QStringLiteral("string_id"), string);
        connection.Value(QStringLiteral("insert_walk_if_missing"), inspection);
        id = inspectionId();
    }
    std::map<QString, QVariant> reading = ReadingValues(target, capture);
    reading.emplace(QStringLiteral("inspection"), id);
    connection.Value(QStringLiteral("insert_string_reading"), reading);
    transaction.Commit();
    return id.toLongLong();
}

qint64 RecordOnServer(SqlConnection& connection, const InspectionTarget& target, const CaptureInput& capture)
{
    std::map<QString, QVariant> values = ReadingValues(target, capture);
    values.merge(InspectionValues(target, capture));
    values.insert({{QStringLiteral("site"), target.site}, {QStringLiteral("string"), target.string}});
    QSqlQuery& query = connection.Statement(QStringLiteral("record_string_reading"));
    BindAll(query, values);
    if (!query.exec()) {
        const QSqlError error = query.lastError();
        query.finish();
        if (error.nativeErrorCode() == kNoSuchString)
            throw NoSuchString(target.site, target.string);
        if (error.nativeErrorCode() == kNoSuchPlace)
            throw NoSuchPlace(target);
        connection.Fail(error, QStringLiteral("Cannot record a string reading on"));
    }
    query.next();
    const qint64 id = query.value(0).toLongLong();
    query.finish();
    return id;
}

} // namespace

StoreError NoSuchString(const QString& site, const QString& string)
{
    return {StoreErrorKind::NotFound, QStringLiteral("There is no string \"%1\" at site \"%2\"").arg(string, site)};
}

CaptureReceipt WriteStringReading(SqlConnection& connection, const CaptureInput& capture)
{
    const InspectionTarget& target = capture.inspection.value();
    CaptureReceipt receipt{false, 0, {}, capture.clientUuid, false, 0};
    receipt.inspectionId = connection.GetEngine() == Engine::Postgresql ? RecordOnServer(connection, target, capture)
                                                                        : WriteStepByStep(connection, target, capture);
    return receipt;
}

} // namespace voltaryn::store
