#include "store/CheckedInput.h"

#include "cells/CapacityCsv.h"
#include "cells/CellId.h"
#include "store/StoreError.h"

#include <cmath>

namespace voltaryn::store {
namespace {

// `check` run on the UTF-8 of `text`, its refusal thrown as the store's.
template <typename Check>
auto Checked(const QString& text, Check check)
{
    try {
        return check(text.toStdString());
    } catch (const cells::NameRefused& refused) {
        throw StoreError(StoreErrorKind::Invalid, QString::fromStdString(refused.what()));
    }
}

} // namespace

QString CheckedName(cells::NameKind kind, const QString& text)
{
    return QString::fromStdString(
        Checked(text, [kind](const std::string& name) { return cells::CheckedName(kind, name); }));
}

CaptureInput CheckedCapture(CaptureInput capture)
{
    using enum cells::NameKind;
    capture.station = CheckedName(Station, capture.station);
    capture.operatorName = CheckedName(Operator, capture.operatorName);
    if (capture.inspection) {
        InspectionTarget& target = *capture.inspection;
        target.site = CheckedName(Site, target.site);
        target.string = CheckedName(String, target.string);
        if (target.place.number < 1 || target.inspectionUuid.isEmpty())
            throw StoreError(StoreErrorKind::Invalid, QStringLiteral("A string reading names its inspection and place"));
        return capture;
    }
    capture.batch = CheckedName(Batch, capture.batch);
    capture.label = QString::fromStdString(Checked(capture.label, [](const std::string& id) { return cells::NormalCellId(id); }));
    capture.grade = CheckedName(Grade, capture.grade);
    if (capture.kind == MeasurementKind::Recheck && capture.label.isEmpty())
        throw StoreError(StoreErrorKind::Invalid, QStringLiteral("A recheck names its cell: by its label or its number"));
    return capture;
}

CellKey CheckedCellKey(const QString& label)
{
    const std::string id = Checked(label, [](const std::string& text) { return cells::NormalCellId(text); });
    if (const std::optional<std::int64_t> number = cells::CellNumberOf(id))
        return qint64{*number};
    return QString::fromStdString(id);
}

CellKey CheckedCellKey(const CellKey& cell)
{
    return std::holds_alternative<QString>(cell) ? CheckedCellKey(std::get<QString>(cell)) : cell;
}

void CheckCapacity(const CellCapacity& capacity)
{
    if (!capacity.capacityMah)
        return;
    if (const std::optional<std::string> problem = cells::CapacityProblem(*capacity.capacityMah)) {
        const auto* number = std::get_if<qint64>(&capacity.cell);
        const QString cell = number != nullptr ? CellName({}, *number) : std::get<QString>(capacity.cell);
        throw StoreError(StoreErrorKind::Invalid, QStringLiteral("%1: a capacity of %2 mAh %3")
                                                      .arg(cell)
                                                      .arg(*capacity.capacityMah)
                                                      .arg(QString::fromStdString(*problem)));
    }
}

void CheckSelfDischarge(const SelfDischargeRules& rules)
{
    if (const std::string problem = cells::SelfDischargeRulesProblem(rules); !problem.empty())
        throw StoreError(StoreErrorKind::Invalid, QString::fromStdString(problem));
}

} // namespace voltaryn::store
