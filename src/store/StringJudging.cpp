#include "store/StringJudging.h"

#include "store/CellStore.h"
#include "store/StoreError.h"
#include "strings/PolicyJson.h"

#include <algorithm>
#include <map>

namespace voltaryn::store {

std::chrono::sys_days InspectionDay(const QDateTime& utc)
{
    const QDate day = utc.toLocalTime().date();
    return std::chrono::sys_days{std::chrono::year_month_day{std::chrono::year{day.year()},
                                                             std::chrono::month{static_cast<unsigned>(day.month())},
                                                             std::chrono::day{static_cast<unsigned>(day.day())}}};
}

strings::StringLayout LayoutOf(const StringInfo& string)
{
    std::optional<std::chrono::sys_days> installed;
    if (string.installed.isValid())
        installed = InspectionDay(string.installed.startOfDay());
    return {string.blocks,
            string.nominalVolts,
            strings::ChemistryOf(string.chemistry.toStdString()).value_or(strings::Chemistry::Vrla),
            string.cellsPerBlock,
            string.straps,
            installed};
}

strings::PolicySet PoliciesOf(const StringInfo& string)
{
    if (string.policiesJson.isEmpty())
        return strings::DefaultPolicies();
    strings::PoliciesRead read = strings::PoliciesFromJson(string.policiesJson.toStdString());
    if (!read.policies)
        throw StoreError(StoreErrorKind::Failed,
                         QStringLiteral("The policies of string \"%1\" at site \"%2\" cannot be read: %3")
                             .arg(string.name, string.site, QString::fromStdString(strings::PolicyFaultText(*read.fault))));
    return *std::move(read.policies);
}

strings::InspectionRecord EmptyRecord(const StringInfo& string, const QDateTime& startedUtc, std::optional<double> ambientC)
{
    strings::InspectionRecord record;
    record.date = InspectionDay(startedUtc);
    record.ambientCelsius = ambientC;
    record.blocks.resize(static_cast<std::size_t>(std::max(0, string.blocks)));
    if (string.straps)
        record.straps.resize(static_cast<std::size_t>(std::max(0, string.blocks - 1)));
    return record;
}

std::vector<strings::InspectionRecord> InspectionRecordsOf(const StringHistory& history)
{
    const StringInfo& string = history.string;
    std::vector<strings::InspectionRecord> records;
    std::map<QString, std::size_t> byUuid;
    for (const InspectionInfo& inspection : history.inspections) {
        byUuid[inspection.uuid] = records.size();
        records.push_back(EmptyRecord(string, inspection.startedUtc, inspection.ambientC));
        records.back().id = inspection.id;
    }
    // The latest reading of a place is in force, the station's queued ones among the server's.
    std::map<std::pair<std::size_t, strings::Place>, QDateTime> taken;
    for (const StringReading& reading : history.readings) {
        const auto found = byUuid.find(reading.inspectionUuid);
        if (found == byUuid.end())
            continue;
        strings::InspectionRecord& record = records[found->second];
        auto& places = reading.place.kind == strings::PlaceKind::Strap ? record.straps : record.blocks;
        const auto index = static_cast<std::size_t>(reading.place.number - 1);
        QDateTime& latest = taken[{found->second, reading.place}];
        if (index >= places.size() || (latest.isValid() && reading.measuredUtc < latest))
            continue;
        latest = reading.measuredUtc;
        places[index] = reading.missing ? std::nullopt
                                        : std::optional(strings::Reading{reading.voltageV, reading.resistanceMohm,
                                                                         reading.temperatureC});
    }
    return records;
}

strings::BaselineChoice BaselineChoiceOf(const std::vector<BaselineChoice>& choices)
{
    strings::BaselineChoice choice;
    for (const BaselineChoice& block : choices) {
        if (block.resistanceMohm)
            choice.typedMilliohm[block.block] = *block.resistanceMohm;
        else if (block.inspectionId)
            choice.inspection = *block.inspectionId;
    }
    return choice;
}

void JudgedString::Rebase()
{
    baselines = strings::BlockBaselines(layout, records, choice);
    strapFirsts = strings::StrapFirstReadings(layout, records);
}

strings::InspectionVerdicts JudgedString::Judge(const strings::InspectionRecord& record) const
{
    return strings::JudgeInspection(layout, policies, record, baselines, strapFirsts);
}

std::optional<strings::InspectionVerdicts> JudgedString::Verdicts(qint64 inspection) const
{
    const auto found = std::ranges::find(records, inspection, &strings::InspectionRecord::id);
    if (found == records.end())
        return std::nullopt;
    return Judge(*found);
}

std::vector<strings::BlockTrend> JudgedString::Trends(std::optional<qint64> through) const
{
    const std::optional<strings::ChangeLimits> limits = strings::BaselineLimits(policies);
    if (!limits)
        return {};
    auto end = records.end();
    if (through) {
        const auto last = std::ranges::find(records, *through, &strings::InspectionRecord::id);
        end = last == records.end() ? last : last + 1;
    }
    return strings::StringTrends(layout, std::span(records.begin(), end), baselines, *limits);
}

JudgedString ReadJudgedString(CellStore& store, const QString& site, const QString& string)
{
    StringHistory history = store.StringHistoryOf(site, string);
    JudgedString judged{history.string, LayoutOf(history.string), PoliciesOf(history.string), history.inspections,
                        {}, history.rememberedUtc, InspectionRecordsOf(history), BaselineChoiceOf(history.baselines),
                        {}, {}};
    judged.readings = std::move(history.readings);
    judged.Rebase();
    return judged;
}

} // namespace voltaryn::store
