#include "store/StringHistoryJson.h"

#include "store/SqlValues.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace voltaryn::store {
namespace {

QJsonValue JsonOfOptional(const std::optional<double>& value)
{
    return value ? QJsonValue(*value) : QJsonValue();
}

std::optional<double> OptionalOfJson(const QJsonValue& value)
{
    return value.isDouble() ? std::optional(value.toDouble()) : std::nullopt;
}

qint64 UtcMsOf(const QDateTime& utc)
{
    return utc.toMSecsSinceEpoch();
}

QDateTime UtcOfMs(const QJsonValue& value)
{
    return FromUtcMs(value.toInteger());
}

QJsonObject StringInfoJson(const StringInfo& s)
{
    return {{"site", s.site},
            {"name", s.name},
            {"blocks", s.blocks},
            {"nominal", s.nominalVolts},
            {"chemistry", s.chemistry},
            {"cells_per_block", s.cellsPerBlock},
            {"straps", s.straps},
            {"installed", s.installed.toString(Qt::ISODate)},
            {"policies", s.policiesJson},
            {"created", UtcMsOf(s.createdUtc)}};
}

StringInfo StringInfoOf(const QJsonObject& o)
{
    return {o["site"].toString(),          o["name"].toString(),     o["blocks"].toInt(),
            o["nominal"].toDouble(),       o["chemistry"].toString(), o["cells_per_block"].toInt(),
            o["straps"].toBool(),          QDate::fromString(o["installed"].toString(), Qt::ISODate),
            o["policies"].toString(),      UtcOfMs(o["created"])};
}

QJsonObject InspectionInfoJson(const InspectionInfo& i)
{
    return {{"id", i.id},           {"uuid", i.uuid},         {"site", i.site},
            {"string", i.string},   {"started", UtcMsOf(i.startedUtc)}, {"station", i.station},
            {"operator", i.operatorName}, {"ambient", JsonOfOptional(i.ambientC)}, {"notes", i.notes}};
}

InspectionInfo InspectionInfoOf(const QJsonObject& o)
{
    return {o["id"].toInteger(),       o["uuid"].toString(),     o["site"].toString(),
            o["string"].toString(),    UtcOfMs(o["started"]),     o["station"].toString(),
            o["operator"].toString(),  OptionalOfJson(o["ambient"]), o["notes"].toString()};
}

QJsonObject StringReadingJson(const StringReading& r)
{
    return {{"inspection", r.inspectionId},
            {"inspection_uuid", r.inspectionUuid},
            {"uuid", r.clientUuid},
            {"kind", PlaceKindText(r.place.kind)},
            {"position", r.place.number},
            {"missing", r.missing},
            {"station", r.station},
            {"operator", r.operatorName},
            {"measured", UtcMsOf(r.measuredUtc)},
            {"voltage_v", JsonOfOptional(r.voltageV)},
            {"resistance_mohm", JsonOfOptional(r.resistanceMohm)},
            {"voltage_text", r.voltageText},
            {"resistance_text", r.resistanceText},
            {"range_text", r.rangeText},
            {"temperature_c", JsonOfOptional(r.temperatureC)}};
}

StringReading StringReadingOf(const QJsonObject& o)
{
    return {o["inspection"].toInteger(),
            o["inspection_uuid"].toString(),
            o["uuid"].toString(),
            {PlaceKindOf(o["kind"].toString()), o["position"].toInt()},
            o["missing"].toBool(),
            o["station"].toString(),
            o["operator"].toString(),
            UtcOfMs(o["measured"]),
            OptionalOfJson(o["voltage_v"]),
            OptionalOfJson(o["resistance_mohm"]),
            o["voltage_text"].toString(),
            o["resistance_text"].toString(),
            o["range_text"].toString(),
            OptionalOfJson(o["temperature_c"])};
}

QJsonObject ChosenBaselineJson(const BaselineChoice& b)
{
    return {{"block", b.block},
            {"inspection", b.inspectionId ? QJsonValue(*b.inspectionId) : QJsonValue()},
            {"mohm", JsonOfOptional(b.resistanceMohm)},
            {"set", UtcMsOf(b.setUtc)},
            {"station", b.station}};
}

BaselineChoice ChosenBaselineOf(const QJsonObject& o)
{
    return {o["block"].toInt(),
            o["inspection"].isDouble() ? std::optional(o["inspection"].toInteger()) : std::nullopt,
            OptionalOfJson(o["mohm"]), UtcOfMs(o["set"]), o["station"].toString()};
}

template <typename T, typename ToJson>
QJsonArray JsonArrayOf(const std::vector<T>& items, ToJson toJson)
{
    QJsonArray array;
    for (const T& item : items)
        array.append(toJson(item));
    return array;
}

template <typename T, typename FromJson>
std::vector<T> VectorOfJson(const QJsonValue& array, FromJson fromJson)
{
    std::vector<T> items;
    const QJsonArray values = array.toArray();
    items.reserve(static_cast<std::size_t>(values.size()));
    for (const auto& value : values)
        items.push_back(fromJson(value.toObject()));
    return items;
}

} // namespace

QByteArray StringHistoryToJson(const StringHistory& history)
{
    return QJsonDocument(QJsonObject{{"string", StringInfoJson(history.string)},
                                     {"inspections", JsonArrayOf(history.inspections, InspectionInfoJson)},
                                     {"readings", JsonArrayOf(history.readings, StringReadingJson)},
                                     {"baselines", JsonArrayOf(history.baselines, ChosenBaselineJson)}})
        .toJson(QJsonDocument::Compact);
}

std::optional<StringHistory> StringHistoryFromJson(const QByteArray& json)
{
    const QJsonObject o = QJsonDocument::fromJson(json).object();
    if (!o["string"].isObject())
        return std::nullopt;
    return StringHistory{StringInfoOf(o["string"].toObject()), VectorOfJson<InspectionInfo>(o["inspections"], InspectionInfoOf),
                         VectorOfJson<StringReading>(o["readings"], StringReadingOf),
                         VectorOfJson<BaselineChoice>(o["baselines"], ChosenBaselineOf), {}};
}

} // namespace voltaryn::store
