#include "store/BatchCells.h"

#include "cells/GradeJson.h"
#include "common/Overloaded.h"
#include "files/CsvFormat.h"
#include "store/StoreError.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>
#include <charconv>

namespace voltaryn::store {
namespace {

std::string OneDecimal(double value) { return QString::number(value, 'f', 1).toStdString(); }

// A figure derived from two readings, to the digits worth writing: days to 1/10,000 (9 s), mV/day
// to 1 µV.
std::optional<double> Rounded(const std::optional<double>& value, double step)
{
    return value ? std::optional(std::round(*value / step) * step) : std::nullopt;
}

} // namespace

CellValue Measured(const std::optional<double>& value) { return value ? CellValue(*value) : CellValue(nullptr); }

BatchRules RulesOf(const BatchInfo& batch)
{
    cells::GradeTable grades;
    try {
        grades = cells::GradesFromJson(batch.gradesJson.toStdString());
    } catch (const cells::GradeFileError& error) {
        throw StoreError(StoreErrorKind::Failed,
                         QStringLiteral("batch %1 has no grades: its grade table cannot be read: %2")
                             .arg(batch.name, QString::fromStdString(error.what())));
    }
    if (grades.Grades.empty())
        throw StoreError(StoreErrorKind::Failed,
                         QStringLiteral("batch %1 has no grades: its grade table is empty").arg(batch.name));
    const cells::BatchLimits limits = LimitsOf(grades.Grades.front());
    return {std::move(grades), limits, batch.selfDischarge};
}

cells::BatchLimits LimitsOf(const cells::Grade& grade)
{
    return {grade.Limits.MaxResistance, grade.Limits.MinVoltage, grade.Limits.MaxVoltage};
}

cells::BatchStatistics StatisticsOf(const std::vector<CellRow>& cells, const cells::GradeTable& grades,
                                    const cells::BatchLimits& limits)
{
    std::vector<std::string> order;
    order.reserve(grades.Grades.size() + 1);
    for (const cells::Grade& grade : grades.Grades)
        order.push_back(grade.Name);
    order.push_back(grades.Reject.Name);
    std::vector<cells::BatchCell> counted;
    counted.reserve(cells.size());
    for (const CellRow& cell : cells)
        counted.push_back({cell.latest.grade.toStdString(), cell.latest.voltageV, cell.latest.resistanceMohm,
                           cell.capacityMah});
    return cells::ComputeBatchStatistics(counted, limits, order);
}

namespace {

std::optional<cells::VoltageReading> ReadingOf(const std::optional<VoltageReading>& reading)
{
    if (!reading || !reading->voltageV)
        return std::nullopt;
    return cells::VoltageReading{*reading->voltageV, std::chrono::system_clock::time_point(std::chrono::milliseconds(
                                                         reading->measuredUtc.toMSecsSinceEpoch())),
                                 reading->temperatureC};
}

} // namespace

cells::CellRecheck RecheckOf(const CellRow& cell) { return {ReadingOf(cell.reference), ReadingOf(cell.recheck)}; }

cells::SelfDischargeLot SelfDischargeOf(const std::vector<CellRow>& cells, const SelfDischargeRules& rules)
{
    std::vector<cells::CellRecheck> lot;
    lot.reserve(cells.size());
    for (const CellRow& cell : cells)
        lot.push_back(RecheckOf(cell));
    return cells::JudgeSelfDischarge(lot, rules);
}

std::optional<std::size_t> TrayStart(const std::vector<CellRow>& cells, qint64 from,
                                     const std::vector<QString>& waiting)
{
    const auto unrechecked = [&waiting](const CellRow& cell) {
        return !cell.recheck && std::ranges::none_of(waiting, [&cell](const QString& name) {
            return name == cell.label || name == CellName({}, cell.number);
        });
    };
    if (from == 0)
        return static_cast<std::size_t>(std::ranges::find_if(cells, unrechecked) - cells.begin());
    const std::size_t place = NextInTray(cells, from - 1);
    if (place == cells.size() || cells[place].number != from)
        return std::nullopt;
    return place;
}

std::size_t NextInTray(const std::vector<CellRow>& cells, qint64 number)
{
    return static_cast<std::size_t>(std::ranges::upper_bound(cells, number, {}, &CellRow::number) - cells.begin());
}

namespace {

// What the batch tells of a cell beside its figures: graded its table's reject grade, in a saved
// pack, judged a self-discharge suspect.
cells::CellStanding StandingOf(const CellRow& cell, const cells::GradeTable& grades, cells::SelfDischargeVerdict verdict)
{
    return {cell.latest.grade.toStdString() == grades.Reject.Name, !cell.pack.isEmpty(),
            verdict == cells::SelfDischargeVerdict::Suspect};
}

} // namespace

cells::PackCell PackCellOf(const CellRow& cell)
{
    return {CellName(cell).toStdString(), cell.capacityMah.value_or(0), cell.latest.resistanceMohm.value_or(0),
            cell.latest.voltageV.value_or(0), cell.latest.grade.toStdString()};
}

PackOffer PackOfferOf(const std::vector<CellRow>& cells, const BatchRules& rules, const PackChoice& choice)
{
    PackOffer offer;
    const cells::SelfDischargeLot judged = SelfDischargeOf(cells, rules.selfDischarge);
    for (std::size_t i = 0; i < cells.size(); ++i)
        offer.Offer(PackCellOf(cells[i]), StandingOf(cells[i], rules.grades, judged.cells[i].verdict), choice);
    return offer;
}

std::vector<CellField> CellFieldsOf(const QString& batch, const CellRow& cell, const cells::SelfDischargeResult& judged)
{
    const Measurement& latest = cell.latest;
    return {{"batch", batch},
            {"cell", CellName(cell)},
            {"number", cell.number},
            {"voltage_v", Measured(latest.voltageV)},
            {"resistance_mohm", Measured(latest.resistanceMohm)},
            {"range", latest.rangeText},
            {"temperature_c", Measured(latest.temperatureC)},
            {"grade", latest.grade},
            {"time", latest.measuredUtc.toUTC().toString(Qt::ISODateWithMs)},
            {"capacity_mah", Measured(cell.capacityMah)},
            {"pack", cell.pack},
            {"recheck_voltage_v", Measured(cell.recheck ? cell.recheck->voltageV : std::nullopt)},
            {"days", Measured(Rounded(judged.days, 1e-4))},
            {"mv_per_day", Measured(Rounded(judged.mvPerDay, 0.001))},
            {"self_discharge", QString::fromLatin1(cells::SelfDischargeVerdictName(judged.verdict))}};
}

std::string ShortestText(double value)
{
    std::array<char, 32> text{};
    char* end = std::to_chars(text.data(), text.data() + text.size(), value).ptr;
    return {text.data(), end};
}

std::string CsvHeaderOf(const std::vector<CellField>& fields)
{
    std::string line;
    for (const CellField& field : fields)
        line += (line.empty() ? "" : ",") + CsvCell(field.name);
    return line + '\n';
}

std::string CsvLineOf(const std::vector<CellField>& fields)
{
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i)
        line += (i > 0 ? "," : "") + CsvCell(FieldText(fields[i].value));
    return line + '\n';
}

std::string JsonLineOf(const std::vector<CellField>& fields)
{
    nlohmann::ordered_json object = nlohmann::ordered_json::object();
    for (const CellField& field : fields)
        std::visit(Overloaded{[&](std::nullptr_t) { object[field.name] = nullptr; },
                              [&](const QString& text) { object[field.name] = text.toStdString(); },
                              [&](auto number) { object[field.name] = number; }},
                   field.value);
    return object.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + '\n';
}

std::string FieldText(const CellValue& value)
{
    return std::visit(Overloaded{[](std::nullptr_t) { return std::string(); },
                                 [](const QString& text) { return text.toStdString(); },
                                 [](qint64 number) { return std::to_string(number); },
                                 [](double number) { return ShortestText(number); }},
                      value);
}

std::size_t GradingTableOf(const Measurement& measurement, const std::vector<GradeTableEntry>& tables)
{
    const QDateTime graded = measurement.regradedUtc.value_or(measurement.measuredUtc);
    const auto after = std::ranges::upper_bound(tables, graded, {}, &GradeTableEntry::effectiveUtc);
    return after == tables.begin() ? 0 : static_cast<std::size_t>(after - tables.begin() - 1);
}

namespace {

// "2.5-4.2 V", ">= 2.5 V", "<= 25 mOhm"; empty without a limit.
std::string RangeText(const std::optional<double>& min, const std::optional<double>& max, const std::string& unit)
{
    if (min && max)
        return ShortestText(*min) + "-" + ShortestText(*max) + " " + unit;
    if (min)
        return ">= " + ShortestText(*min) + " " + unit;
    if (max)
        return "<= " + ShortestText(*max) + " " + unit;
    return {};
}

} // namespace

std::string GradeTableText(const QString& gradesJson, const std::string& ohmUnit)
{
    cells::GradeTable table;
    try {
        table = cells::GradesFromJson(gradesJson.toStdString());
    } catch (const cells::GradeFileError& error) {
        return std::string("cannot be read: ") + error.what();
    }
    std::string text;
    for (const cells::Grade& grade : table.Grades) {
        const cells::GradeLimits& limits = grade.Limits;
        std::string ranges = RangeText(limits.MinVoltage, limits.MaxVoltage, "V");
        const std::string ohms = RangeText(limits.MinResistance, limits.MaxResistance, ohmUnit);
        ranges += ranges.empty() || ohms.empty() ? ohms : ", " + ohms;
        text += grade.Name + ": " + (ranges.empty() ? "any" : ranges) + "; ";
    }
    return text + "else " + table.Reject.Name;
}

std::map<std::pair<QString, QString>, qint64> RegradeCounts(const RegradeResult& result)
{
    std::map<std::pair<QString, QString>, qint64> counts;
    for (const CellRegrade& cell : result.changed)
        ++counts[{cell.from, cell.to}];
    return counts;
}

std::string RegradeSummary(const RegradeResult& result)
{
    const auto cells = [](qint64 count) { return std::to_string(count) + (count == 1 ? " cell" : " cells"); };
    std::string line = std::to_string(result.changed.size()) + " of " + cells(result.cells) + " graded again changed grade";
    std::string changes;
    for (const auto& [change, count] : RegradeCounts(result))
        changes += (changes.empty() ? ": " : ", ") + change.first.toStdString() + " -> " + change.second.toStdString() +
                   " " + std::to_string(count);
    line += changes;
    const auto packed = std::ranges::count_if(result.changed, [](const CellRegrade& cell) { return !cell.pack.isEmpty(); });
    if (packed > 0)
        line += "; " + std::to_string(packed) + " of them in " + (packed == 1 ? "a saved pack" : "saved packs");
    if (result.unmeasured > 0)
        line += "; " + cells(result.unmeasured) + (result.unmeasured == 1 ? " kept its" : " kept their") +
                " grade: no voltage or resistance was measured";
    return line;
}

std::string SelfDischargeSummary(const cells::SelfDischargeLot& lot, const SelfDischargeRules& rules)
{
    std::string line = std::to_string(lot.judged) + " judged, " + std::to_string(lot.suspects) + " suspect, " +
                       std::to_string(lot.early) + " early";
    if (lot.medianMvPerDay)
        line += "; median " + OneDecimal(*lot.medianMvPerDay) + " mV/day";
    line += "; limits " + ShortestText(rules.absoluteLimitMvPerDay);
    line += lot.lotLimitMvPerDay ? " and " + OneDecimal(*lot.lotLimitMvPerDay) + " (lot) mV/day" : " mV/day";
    return line + ", rest " + std::to_string(rules.minimumRestDays) + " days";
}

std::string CellsExport(const QString& batch, const std::vector<CellRow>& cells, const SelfDischargeRules& rules,
                        bool json)
{
    std::string text = json ? std::string() : CsvHeaderOf(CellFieldsOf({}, {}, {}));
    const cells::SelfDischargeLot judged = SelfDischargeOf(cells, rules);
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const std::vector<CellField> fields = CellFieldsOf(batch, cells[i], judged.cells[i]);
        text += json ? JsonLineOf(fields) : CsvLineOf(fields);
    }
    return text;
}

} // namespace voltaryn::store
