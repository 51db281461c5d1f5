// The battery-string operations of CellStore: sites, strings, inspections, readings and chosen
// baselines. Reading a string's readings needs the server; the readings themselves are captures
// (RecordCapture with an InspectionTarget), queued as every capture is.
#include "store/CaptureWriter.h"
#include "store/CellStore.h"
#include "store/CheckedInput.h"
#include "store/OfflineQueue.h"
#include "store/SqlConnection.h"
#include "store/SqlValues.h"
#include "store/StoreError.h"
#include "store/WriteTransaction.h"

#include <tuple>

namespace voltaryn::store {
namespace {

StoreError AlreadyThere(const StoreError& error, const QString& what)
{
    return error.Kind() == StoreErrorKind::Conflict ? StoreError(StoreErrorKind::Conflict, what) : error;
}

qint64 SiteId(SqlConnection& server, const QString& site)
{
    const QVariant id = server.Value(QStringLiteral("find_site"), {{QStringLiteral("name"), site}});
    if (!id.isValid())
        throw StoreError(StoreErrorKind::NotFound, QStringLiteral("There is no site \"%1\"").arg(site));
    return id.toLongLong();
}

qint64 StringId(SqlConnection& server, const QString& site, const QString& string)
{
    const QVariant id = server.Value(QStringLiteral("string_by_name"), {{QStringLiteral("site"), site},
                                                                        {QStringLiteral("string"), string}});
    if (!id.isValid())
        throw NoSuchString(site, string);
    return id.toLongLong();
}

// The string's figures as insert_string and update_string bind them.
std::map<QString, QVariant> StringFigures(const StringInfo& string)
{
    return {{QStringLiteral("blocks"), string.blocks},
            {QStringLiteral("nominal"), string.nominalVolts},
            {QStringLiteral("chemistry"), string.chemistry},
            {QStringLiteral("cells_per_block"), string.cellsPerBlock},
            {QStringLiteral("straps"), string.straps},
            {QStringLiteral("installed"),
             string.installed.isValid() ? QVariant(string.installed.toString(Qt::ISODate)) : QVariant()},
            {QStringLiteral("policies"), string.policiesJson}};
}

// A row of list_strings.
StringInfo StringFromRow(const QSqlQuery& row)
{
    return {row.value(0).toString(),
            row.value(1).toString(),
            row.value(2).toInt(),
            row.value(3).toDouble(),
            row.value(4).toString(),
            row.value(5).toInt(),
            row.value(6).toBool(),
            QDate::fromString(row.value(7).toString(), Qt::ISODate),
            row.value(8).toString(),
            FromUtcMs(row.value(9))};
}

std::vector<StringInfo> ListStrings(SqlConnection& server, const QString& site, const QString& string)
{
    QSqlQuery& list = server.Statement(QStringLiteral("list_strings"));
    list.bindValue(QStringLiteral(":site"), NullIfEmpty(site));
    list.bindValue(QStringLiteral(":string"), NullIfEmpty(string));
    server.Run(list);
    std::vector<StringInfo> strings;
    while (list.next())
        strings.push_back(StringFromRow(list));
    list.finish();
    return strings;
}

std::vector<InspectionInfo> ListInspections(SqlConnection& server, const QVariant& string, const QVariant& id)
{
    QSqlQuery& list = server.Statement(QStringLiteral("list_walks"));
    list.bindValue(QStringLiteral(":string"), string);
    list.bindValue(QStringLiteral(":id"), id);
    server.Run(list);
    std::vector<InspectionInfo> inspections;
    while (list.next())
        inspections.push_back({list.value(0).toLongLong(), list.value(1).toString(), list.value(2).toString(),
                               list.value(3).toString(), FromUtcMs(list.value(4)), list.value(5).toString(),
                               list.value(6).toString(), OptionalDouble(list.value(7)), list.value(8).toString()});
    list.finish();
    return inspections;
}

std::vector<StringReading> ListReadings(SqlConnection& server, const QVariant& string, const QVariant& inspection)
{
    QSqlQuery& list = server.Statement(QStringLiteral("list_string_readings"));
    list.bindValue(QStringLiteral(":string"), string);
    list.bindValue(QStringLiteral(":inspection"), inspection);
    server.Run(list);
    std::vector<StringReading> readings;
    while (list.next()) {
        readings.push_back({list.value(0).toLongLong(), list.value(14).toString(), list.value(1).toString(),
                            {PlaceKindOf(list.value(2).toString()), list.value(3).toInt()},
                            list.value(4).toBool(), list.value(5).toString(), list.value(6).toString(),
                            FromUtcMs(list.value(7)), OptionalDouble(list.value(8)), OptionalDouble(list.value(9)),
                            list.value(10).toString(), list.value(11).toString(), list.value(12).toString(),
                            OptionalDouble(list.value(13))});
    }
    list.finish();
    return readings;
}

std::vector<BaselineChoice> ListBaselines(SqlConnection& server, qint64 string)
{
    QSqlQuery& list = server.Statement(QStringLiteral("list_baselines"));
    list.bindValue(QStringLiteral(":string"), string);
    server.Run(list);
    std::vector<BaselineChoice> choices;
    while (list.next())
        choices.push_back({list.value(0).toInt(),
                           list.value(1).isNull() ? std::nullopt : std::optional(list.value(1).toLongLong()),
                           OptionalDouble(list.value(2)), FromUtcMs(list.value(3)), list.value(4).toString()});
    list.finish();
    return choices;
}

// Adds the readings of the string that wait in the queue (not those set aside), with the
// inspections the server does not have yet, each as its first reading will make it.
void AddWaitingReadings(StringHistory& history, const std::vector<QueuedCapture>& queued)
{
    for (const auto& [capture, setAsideReason] : queued) {
        if (!setAsideReason.isEmpty() || !capture.inspection || capture.inspection->site != history.string.site ||
            capture.inspection->string != history.string.name)
            continue;
        const InspectionTarget& target = *capture.inspection;
        if (std::ranges::find(history.inspections, target.inspectionUuid, &InspectionInfo::uuid) == history.inspections.end())
            history.inspections.push_back({0, target.inspectionUuid, target.site, target.string, target.startedUtc,
                                           capture.station, capture.operatorName, target.ambientC, target.notes});
        history.readings.push_back({0, target.inspectionUuid, capture.clientUuid, target.place, target.missing,
                                    capture.station, capture.operatorName, capture.measuredUtc, capture.voltageV,
                                    capture.resistanceMohm, capture.voltageText, capture.resistanceText,
                                    capture.rangeText, capture.temperatureC});
    }
    std::ranges::stable_sort(history.inspections, {}, &InspectionInfo::startedUtc);
}

} // namespace

void CellStore::AddSite(const SiteInfo& site)
{
    const QString name = CheckedName(cells::NameKind::Site, site.name);
    Online([&](SqlConnection& server) {
        try {
            server.Value(QStringLiteral("insert_site"), {{QStringLiteral("name"), name},
                                                         {QStringLiteral("notes"), site.notes},
                                                         {QStringLiteral("created"), options_.clock().toMSecsSinceEpoch()}});
        } catch (const StoreError& error) {
            throw AlreadyThere(error, QStringLiteral("There is already a site \"%1\"").arg(name));
        }
    });
}

std::vector<SiteInfo> CellStore::Sites()
{
    std::vector<SiteInfo> sites;
    Online([&](SqlConnection& server) {
        QSqlQuery& list = server.Statement(QStringLiteral("list_sites"));
        server.Run(list);
        while (list.next())
            sites.push_back({list.value(0).toString(), list.value(1).toString(), FromUtcMs(list.value(2))});
        list.finish();
    });
    return sites;
}

void CellStore::AddString(const StringInfo& string)
{
    const QString name = CheckedName(cells::NameKind::String, string.name);
    Online([&](SqlConnection& server) {
        const qint64 site = SiteId(server, string.site);
        try {
            std::map<QString, QVariant> values = StringFigures(string);
            values.insert({{QStringLiteral("site"), site},
                           {QStringLiteral("name"), name},
                           {QStringLiteral("created"), options_.clock().toMSecsSinceEpoch()}});
            server.Value(QStringLiteral("insert_string"), values);
        } catch (const StoreError& error) {
            throw AlreadyThere(error, QStringLiteral("Site \"%1\" has a string \"%2\" already").arg(string.site, name));
        }
    });
}

std::vector<StringInfo> CellStore::Strings(const QString& site)
{
    std::vector<StringInfo> strings;
    Online([&](SqlConnection& server) {
        if (!site.isEmpty())
            SiteId(server, site);
        strings = ListStrings(server, site, {});
    });
    return strings;
}

std::optional<StringInfo> CellStore::FindString(const QString& site, const QString& string)
{
    std::vector<StringInfo> found;
    Online([&](SqlConnection& server) { found = ListStrings(server, site, string); });
    return found.empty() ? std::nullopt : std::optional(found.front());
}

void CellStore::EditString(const StringInfo& string)
{
    const auto layout = [](const StringInfo& info) {
        return std::tuple(info.blocks, info.nominalVolts, info.chemistry, info.cellsPerBlock, info.straps);
    };
    // Readings of the string still in this station's queue count as an inspection too.
    SendQueueIfDue();
    bool queued = false;
    if (queue_)
        for (const QueuedCapture& waiting : queue_->Captures())
            queued = queued || (waiting.capture.inspection && waiting.capture.inspection->site == string.site &&
                                waiting.capture.inspection->string == string.name);
    Online([&](SqlConnection& server) {
        WriteTransaction transaction(server);
        const qint64 id = StringId(server, string.site, string.name);
        server.Value(QStringLiteral("lock_string"), {{QStringLiteral("string"), id}});
        const std::vector<StringInfo> found = ListStrings(server, string.site, string.name);
        if (layout(found.front()) != layout(string) && (queued || !ListInspections(server, id, {}).empty()))
            throw StoreError(StoreErrorKind::Conflict,
                             QStringLiteral("String \"%1\" has been inspected: its blocks, voltage, chemistry, cells and "
                                            "straps stay as they are")
                                 .arg(string.name));
        std::map<QString, QVariant> values = StringFigures(string);
        values.insert({QStringLiteral("string"), id});
        server.Value(QStringLiteral("update_string"), values);
        transaction.Commit();
    });
}

void CellStore::SetPolicies(const QString& site, const QString& string, const QString& policiesJson)
{
    Online([&](SqlConnection& server) {
        server.Value(QStringLiteral("set_policies"), {{QStringLiteral("string"), StringId(server, site, string)},
                                                      {QStringLiteral("policies"), policiesJson}});
    });
}

std::vector<InspectionInfo> CellStore::Inspections(const QString& site, const QString& string)
{
    std::vector<InspectionInfo> inspections;
    Online([&](SqlConnection& server) { inspections = ListInspections(server, StringId(server, site, string), {}); });
    return inspections;
}

std::optional<InspectionInfo> CellStore::Inspection(qint64 id)
{
    std::vector<InspectionInfo> found;
    Online([&](SqlConnection& server) { found = ListInspections(server, {}, id); });
    return found.empty() ? std::nullopt : std::optional(found.front());
}

std::vector<StringReading> CellStore::InspectionReadings(qint64 inspection)
{
    std::vector<StringReading> readings;
    Online([&](SqlConnection& server) { readings = ListReadings(server, {}, inspection); });
    return readings;
}

std::vector<StringReading> CellStore::StringReadings(const QString& site, const QString& string)
{
    std::vector<StringReading> readings;
    Online([&](SqlConnection& server) { readings = ListReadings(server, StringId(server, site, string), {}); });
    return readings;
}

void CellStore::SetBaseline(const QString& site, const QString& string, const BaselineChoice& choice)
{
    Online([&](SqlConnection& server) {
        const qint64 id = StringId(server, site, string);
        if (!choice.inspectionId && !choice.resistanceMohm) {
            server.Value(QStringLiteral("clear_baseline"), {{QStringLiteral("string"), id},
                                                            {QStringLiteral("position"), choice.block}});
            return;
        }
        server.Value(QStringLiteral("set_baseline"),
                     {{QStringLiteral("string"), id},
                      {QStringLiteral("position"), choice.block},
                      {QStringLiteral("inspection"), choice.inspectionId ? QVariant(*choice.inspectionId) : QVariant()},
                      {QStringLiteral("resistance"), NullIfEmpty(choice.resistanceMohm)},
                      {QStringLiteral("set"), options_.clock().toMSecsSinceEpoch()},
                      {QStringLiteral("station"), options_.station}});
    });
}

StringHistory CellStore::StringHistoryOf(const QString& site, const QString& string)
{
    std::optional<StringHistory> history;
    try {
        Online([&](SqlConnection& server) {
            std::vector<StringInfo> found = ListStrings(server, site, string);
            if (found.empty())
                throw NoSuchString(site, string);
            const qint64 id = StringId(server, site, string);
            history = StringHistory{std::move(found.front()), ListInspections(server, id, {}),
                                    ListReadings(server, id, {}), ListBaselines(server, id), {}};
        });
    } catch (const StoreError& error) {
        if (error.Kind() != StoreErrorKind::Unreachable || !queue_)
            throw;
        history = queue_->KnownString(site, string);
        if (!history)
            throw StoreError(StoreErrorKind::Unreachable,
                             QStringLiteral("String \"%1\" at site \"%2\" cannot be inspected while the server is away: "
                                            "this station has not seen it there before (%3)")
                                 .arg(string, site, error.Message()));
    }
    if (queue_ && history->rememberedUtc.isNull())
        queue_->RememberString(*history, options_.clock());
    if (queue_ && queue_->WaitingCount() > 0)
        AddWaitingReadings(*history, queue_->Captures());
    return *std::move(history);
}

} // namespace voltaryn::store
