#include "ui/common/CoreFaults.h"

#include <QLocale>

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
    case cells::NameKind::Site: return CoreFaults::tr("the site name");
    case cells::NameKind::String: return CoreFaults::tr("the string name");
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

QString CoreFaults::Worded(const cells::PackFault& fault)
{
    using Reason = cells::PackFault::Reason;
    const QString cell = QString::fromStdString(fault.cellId);
    const auto needed = static_cast<qulonglong>(fault.needed);
    const auto available = static_cast<qulonglong>(fault.available);
    switch (fault.reason) {
    case Reason::ShapeNotPositive: return tr("S and P must be positive, not %1S%2P").arg(fault.series).arg(fault.parallel);
    case Reason::SpreadNegative: return tr("the voltage spread inside a group must be 0 V or more");
    case Reason::DuplicateId: return tr("cell ID \"%1\" appears more than once").arg(cell);
    case Reason::CellUnusable: return tr("cell \"%1\" needs a capacity above 0 mAh and a resistance above 0 mΩ").arg(cell);
    case Reason::TooFewCells:
        return tr("needs %1 cells, %2 are eligible: %3 missing").arg(needed).arg(available).arg(needed - available);
    case Reason::TooFewGroups:
        return tr("needs %1 groups of %2 cells within %3 V, the eligible cells make %4")
            .arg(needed)
            .arg(fault.parallel)
            .arg(QLocale().toString(fault.spreadV, 'g', 6))
            .arg(available);
    case Reason::CellsNotListed: return tr("the pack holds cells that are not in the list");
    case Reason::CellNotInPack: return tr("cell \"%1\" is not in the pack").arg(cell);
    case Reason::SparesNotListed: return tr("the pack's spares hold cells that are not in the list");
    case Reason::NoSpare: return tr("no spare cell is left");
    case Reason::NoSpareFits: return tr("no spare cell keeps the failed cell's group within the voltage spread");
    case Reason::SnakeTooWide:
        return tr("the snake deal puts cells more than %1 V apart into one group").arg(QLocale().toString(fault.spreadV, 'g', 6));
    }
    return {};
}

QString CoreFaults::Worded(strings::LayoutFault fault)
{
    switch (fault) {
    case strings::LayoutFault::BlockCount: return tr("a string has 1 to %1 blocks").arg(strings::MostBlocks);
    case strings::LayoutFault::NominalVolts: return tr("a block's nominal voltage is 2, 6 or 12 V");
    case strings::LayoutFault::CellsPerBlock: return tr("a block has 1 to 12 cells");
    case strings::LayoutFault::CellsForNominal:
        return tr("the block's cells do not make its nominal voltage (cells of 2 V lead-acid, 1.2 V NiCd, 3.2 V LiFePO4)");
    }
    return {};
}

QString CoreFaults::Worded(const cells::NameFault& fault)
{
    QString subject = Subject(fault.kind);
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
