#include "ui/common/CoreFaults.h"

namespace voltaryn {
namespace {

QString Subject(cells::NameKind kind)
{
    switch (kind) {
    case cells::NameKind::Batch: return CoreFaults::tr("the batch name");
    case cells::NameKind::CellId: return CoreFaults::tr("the cell ID");
    case cells::NameKind::Grade: return CoreFaults::tr("the grade name");
    case cells::NameKind::Station: return CoreFaults::tr("the station");
    case cells::NameKind::Operator: return CoreFaults::tr("the operator");
    }
    return {};
}

} // namespace

QString CoreFaults::Worded(const cells::GradeFinding& finding, const cells::GradeTable& table)
{
    const auto earlier = [&] {
        const std::size_t index = finding.Earlier.value_or(0);
        return tr("grade %1 (\"%2\")").arg(index + 1).arg(QString::fromStdString(table.Grades.at(index).Name));
    };
    switch (finding.Kind) {
    case cells::GradeFindingKind::Empty: return tr("no cell can get it: a minimum is above its maximum");
    case cells::GradeFindingKind::NeverMatches: return tr("never matches: %1 covers it wholly").arg(earlier());
    case cells::GradeFindingKind::Overlaps: return tr("overlaps %1, which takes the cells both admit").arg(earlier());
    }
    return {};
}

QString CoreFaults::Worded(const cells::NameFault& fault)
{
    const QString subject = Subject(fault.kind);
    switch (fault.reason) {
    case cells::NameFault::Reason::NotUtf8: return tr("%1 is not UTF-8 text").arg(subject);
    case cells::NameFault::Reason::Empty: return tr("%1 is empty").arg(subject);
    case cells::NameFault::Reason::TooLong:
        return tr("%1 is %2 characters long; at most %3 are allowed")
            .arg(subject)
            .arg(fault.length)
            .arg(cells::MaxNameLength);
    case cells::NameFault::Reason::ControlCharacter:
        return tr("%1 holds the control character U+%2")
            .arg(subject, QString::number(static_cast<uint>(fault.character), 16).toUpper().rightJustified(4, '0'));
    case cells::NameFault::Reason::CellZero: return tr("%1 names cell 0: cell numbers start at 1").arg(subject);
    }
    return subject;
}

} // namespace voltaryn
