#include "store/OfflineQueue.h"

#include "store/SqlConnection.h"
#include "store/SqlStatements.h"
#include "store/SqlValues.h"
#include "store/StringHistoryJson.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace voltaryn::store {
namespace {

QJsonValue JsonFromDouble(const std::optional<double>& value)
{
    return value ? QJsonValue(*value) : QJsonValue();
}

std::optional<double> DoubleFromJson(const QJsonValue& value)
{
    return value.isDouble() ? std::optional<double>(value.toDouble()) : std::nullopt;
}

// Where a string reading goes, as its queued capture keeps it.
QJsonValue InspectionJson(const std::optional<InspectionTarget>& target)
{
    if (!target)
        return {};
    return QJsonObject{{"site", target->site},
                       {"string", target->string},
                       {"uuid", target->inspectionUuid},
                       {"started_utc_ms", target->startedUtc.toMSecsSinceEpoch()},
                       {"ambient_c", JsonFromDouble(target->ambientC)},
                       {"notes", target->notes},
                       {"kind", PlaceKindText(target->place.kind)},
                       {"position", target->place.number},
                       {"missing", target->missing}};
}

std::optional<InspectionTarget> InspectionFromJson(const QJsonValue& value)
{
    if (!value.isObject())
        return std::nullopt;
    const QJsonObject o = value.toObject();
    return InspectionTarget{o["site"].toString(),
                            o["string"].toString(),
                            o["uuid"].toString(),
                            QDateTime::fromMSecsSinceEpoch(o["started_utc_ms"].toInteger(), Qt::UTC),
                            DoubleFromJson(o["ambient_c"]),
                            o["notes"].toString(),
                            {PlaceKindOf(o["kind"].toString()), o["position"].toInt()},
                            o["missing"].toBool()};
}

QByteArray ToJson(const CaptureInput& c)
{
    return QJsonDocument(QJsonObject{
                             {"batch", c.batch},
                             {"label", c.label},
                             {"uuid", c.clientUuid},
                             {"station", c.station},
                             {"operator", c.operatorName},
                             {"measured_utc_ms", c.measuredUtc.toMSecsSinceEpoch()},
                             {"voltage_v", JsonFromDouble(c.voltageV)},
                             {"resistance_mohm", JsonFromDouble(c.resistanceMohm)},
                             {"voltage_text", c.voltageText},
                             {"resistance_text", c.resistanceText},
                             {"range_text", c.rangeText},
                             {"temperature_c", JsonFromDouble(c.temperatureC)},
                             {"grade", c.grade},
                             {"kind", KindText(c.kind)},
                             {"inspection", InspectionJson(c.inspection)},
                         })
        .toJson(QJsonDocument::Compact);
}

CaptureInput FromJson(const QByteArray& json)
{
    const QJsonObject o = QJsonDocument::fromJson(json).object();
    return {
        o["batch"].toString(),
        o["label"].toString(),
        o["uuid"].toString(),
        o["station"].toString(),
        o["operator"].toString(),
        QDateTime::fromMSecsSinceEpoch(o["measured_utc_ms"].toInteger(), Qt::UTC),
        DoubleFromJson(o["voltage_v"]),
        DoubleFromJson(o["resistance_mohm"]),
        o["voltage_text"].toString(),
        o["resistance_text"].toString(),
        o["range_text"].toString(),
        DoubleFromJson(o["temperature_c"]),
        o["grade"].toString(),
        KindOf(o["kind"].toString()),  // a capture queued before rechecks were kept has none
        InspectionFromJson(o["inspection"]),
    };
}

} // namespace

OfflineQueue::OfflineQueue(const QString& path)
{
    StoreAddress address;
    address.path = path;
    connection_ = std::make_unique<SqlConnection>(address);
    connection_->ConfigureSession();
    connection_->RunText(SqlStatement(Engine::Sqlite, QStringLiteral("queue_create")));
    connection_->RunText(SqlStatement(Engine::Sqlite, QStringLiteral("queue_create_batches")));
    connection_->RunText(SqlStatement(Engine::Sqlite, QStringLiteral("queue_create_strings")));
    QSqlQuery& query = connection_->Statement(QStringLiteral("queue_counts"));
    connection_->Run(query);
    query.next();
    waiting_ = query.value(0).toLongLong();
    setAside_ = query.value(1).toLongLong();
    query.finish();
}

OfflineQueue::~OfflineQueue() = default;

qint64 OfflineQueue::Change(const QString& statement, const std::map<QString, QVariant>& values)
{
    QSqlQuery& query = connection_->Statement(statement);
    BindAll(query, values);
    connection_->Run(query);
    const qint64 changed = query.numRowsAffected();
    query.finish();
    return changed;
}

void OfflineQueue::Push(const CaptureInput& capture)
{
    waiting_ += Change(QStringLiteral("queue_push"), {{QStringLiteral("uuid"), capture.clientUuid},
                                                      {QStringLiteral("capture"), QString::fromUtf8(ToJson(capture))}});
}

std::optional<CaptureInput> OfflineQueue::Front()
{
    const QVariant json = connection_->Value(QStringLiteral("queue_front"));
    if (!json.isValid()) {
        waiting_ = 0;  // another program on this station may have sent them
        return std::nullopt;
    }
    return FromJson(json.toString().toUtf8());
}

void OfflineQueue::Remove(const QString& clientUuid)
{
    waiting_ -= Change(QStringLiteral("queue_remove"), {{QStringLiteral("uuid"), clientUuid}});
}

void OfflineQueue::SetAside(const QString& clientUuid, const QString& reason)
{
    const qint64 changed = Change(QStringLiteral("queue_set_aside"),
                                  {{QStringLiteral("uuid"), clientUuid}, {QStringLiteral("reason"), reason}});
    waiting_ -= changed;
    setAside_ += changed;
}

qint64 OfflineQueue::RetrySetAside()
{
    const qint64 changed = Change(QStringLiteral("queue_retry"), {});
    setAside_ -= changed;
    waiting_ += changed;
    return changed;
}

std::vector<QueuedCapture> OfflineQueue::Captures()
{
    std::vector<QueuedCapture> captures;
    QSqlQuery& query = connection_->Statement(QStringLiteral("queue_list"));
    connection_->Run(query);
    while (query.next())
        captures.push_back({FromJson(query.value(0).toString().toUtf8()), query.value(1).toString()});
    query.finish();
    return captures;
}

void OfflineQueue::RememberBatch(const BatchInfo& batch)
{
    Change(QStringLiteral("queue_remember_batch"), {{QStringLiteral("name"), batch.name},
                                                    {QStringLiteral("created"), batch.createdUtc.toMSecsSinceEpoch()},
                                                    {QStringLiteral("notes"), batch.notes},
                                                    {QStringLiteral("grades"), batch.gradesJson}});
}

void OfflineQueue::RememberGrades(const QString& batch, const QString& gradesJson)
{
    Change(QStringLiteral("queue_batch_grades"), {{QStringLiteral("name"), batch}, {QStringLiteral("grades"), gradesJson}});
}

void OfflineQueue::ForgetBatch(const QString& batch)
{
    Change(QStringLiteral("queue_forget_batch"), {{QStringLiteral("name"), batch}});
}

std::optional<BatchInfo> OfflineQueue::KnownBatch(const QString& name)
{
    QSqlQuery& query = connection_->Statement(QStringLiteral("queue_known_batch"));
    query.bindValue(QStringLiteral(":name"), name);
    connection_->Run(query);
    std::optional<BatchInfo> batch;
    if (query.next())
        batch = BatchInfo{query.value(0).toString(), FromUtcMs(query.value(1)), query.value(2).toString(),
                          query.value(3).toString(), {}, {}, {}};
    query.finish();
    return batch;
}

void OfflineQueue::RememberString(const StringHistory& history, const QDateTime& seenUtc)
{
    Change(QStringLiteral("queue_remember_string"),
           {{QStringLiteral("site"), history.string.site},
            {QStringLiteral("name"), history.string.name},
            {QStringLiteral("seen"), seenUtc.toMSecsSinceEpoch()},
            {QStringLiteral("history"), QString::fromUtf8(StringHistoryToJson(history))}});
}

std::optional<StringHistory> OfflineQueue::KnownString(const QString& site, const QString& string)
{
    QSqlQuery& query = connection_->Statement(QStringLiteral("queue_known_string"));
    query.bindValue(QStringLiteral(":site"), site);
    query.bindValue(QStringLiteral(":name"), string);
    connection_->Run(query);
    std::optional<StringHistory> history;
    if (query.next()) {
        history = StringHistoryFromJson(query.value(1).toString().toUtf8());
        if (history)
            history->rememberedUtc = FromUtcMs(query.value(0));
    }
    query.finish();
    return history;
}

} // namespace voltaryn::store
