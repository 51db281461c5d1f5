#include "store/OfflineQueue.h"

#include "store/SqlConnection.h"
#include "store/SqlStatements.h"

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
}

OfflineQueue::~OfflineQueue() = default;

void OfflineQueue::Push(const CaptureInput& capture)
{
    connection_->Value(QStringLiteral("queue_push"),
                       {{QStringLiteral("uuid"), capture.clientUuid}, {QStringLiteral("capture"), QString::fromUtf8(ToJson(capture))}});
}

std::optional<CaptureInput> OfflineQueue::Front()
{
    const QVariant json = connection_->Value(QStringLiteral("queue_front"));
    return json.isValid() ? std::optional(FromJson(json.toString().toUtf8())) : std::nullopt;
}

void OfflineQueue::Remove(const QString& clientUuid)
{
    connection_->Value(QStringLiteral("queue_remove"), {{QStringLiteral("uuid"), clientUuid}});
}

void OfflineQueue::Reject(const QString& clientUuid, const QString& reason)
{
    connection_->Value(QStringLiteral("queue_reject"),
                       {{QStringLiteral("uuid"), clientUuid}, {QStringLiteral("reason"), reason}});
}

std::pair<qint64, qint64> OfflineQueue::Counts()
{
    QSqlQuery& query = connection_->Statement(QStringLiteral("queue_counts"));
    connection_->Run(query);
    query.next();
    const std::pair counts{query.value(0).toLongLong(), query.value(1).toLongLong()};
    query.finish();
    return counts;
}

} // namespace voltaryn::store
