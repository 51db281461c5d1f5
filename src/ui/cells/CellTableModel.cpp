#include "ui/cells/CellTableModel.h"

#include "ui/cells/GradeColour.h"
#include "ui/common/DisplayNumbers.h"

#include <algorithm>

namespace voltaryn {

namespace {

QVariant SortNumber(const std::optional<double>& value)
{
    return value ? QVariant(*value) : QVariant();
}

QString FixedText(const std::optional<double>& value, int decimals)
{
    return value ? DisplayNumber(*value, decimals) : QString();
}

} // namespace

CellTableModel::CellTableModel(QObject* parent) : QAbstractTableModel(parent) {}

void CellTableModel::Reset(std::vector<store::CellRow> cells)
{
    beginResetModel();
    cells_ = std::move(cells);
    rowOfNumber_.clear();
    for (int row = 0; row < static_cast<int>(cells_.size()); ++row)
        rowOfNumber_.insert(cells_[row].number, row);
    endResetModel();
}

void CellTableModel::Update(std::vector<store::CellRow> cells)
{
    const bool grew = cells.size() >= cells_.size()
                      && std::equal(cells_.begin(), cells_.end(), cells.begin(), [](const auto& shown, const auto& read) {
                             return shown.number == read.number;
                         });
    if (!grew) {
        Reset(std::move(cells));
        return;
    }
    const std::size_t shown = cells_.size();
    std::copy_n(cells.begin(), shown, cells_.begin());
    if (shown > 0)
        emit dataChanged(index(0, 0), index(static_cast<int>(shown) - 1, ColumnCount - 1));
    for (std::size_t row = shown; row < cells.size(); ++row)
        Upsert(cells[row]);
}

void CellTableModel::Upsert(const store::CellRow& cell)
{
    if (const auto found = rowOfNumber_.constFind(cell.number); found != rowOfNumber_.constEnd()) {
        cells_[*found] = cell;
        emit dataChanged(index(*found, 0), index(*found, ColumnCount - 1));
        return;
    }
    const int row = static_cast<int>(cells_.size());
    beginInsertRows({}, row, row);
    cells_.push_back(cell);
    rowOfNumber_.insert(cell.number, row);
    endInsertRows();
}

std::optional<int> CellTableModel::RowOf(qint64 number) const
{
    const auto found = rowOfNumber_.constFind(number);
    return found == rowOfNumber_.constEnd() ? std::nullopt : std::optional(*found);
}

void CellTableModel::SetGradeColours(QHash<QString, QString> colours)
{
    gradeColours_ = std::move(colours);
    if (!cells_.empty())
        emit dataChanged(index(0, GradeColumn), index(rowCount() - 1, GradeColumn));
}

int CellTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(cells_.size());
}

int CellTableModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColumnCount; }

QVariant CellTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const store::CellRow& cell = cells_[index.row()];
    const store::Measurement& latest = cell.latest;
    const auto column = static_cast<Column>(index.column());
    if (role == Qt::DisplayRole) {
        switch (column) {
        case CellColumn: return store::CellName(cell);
        case VoltageColumn: return latest.voltageText.isEmpty() ? FixedText(latest.voltageV, 3)
                                                                   : DisplayNumbersIn(latest.voltageText);
        case ResistanceColumn: return FixedText(latest.resistanceMohm, 2);
        case CapacityColumn: return FixedText(cell.capacityMah, 0);
        case GradeColumn: return latest.grade;
        case TemperatureColumn: return FixedText(latest.temperatureC, 1);
        case TimeColumn: return latest.measuredUtc.toLocalTime().toString("yyyy-MM-dd HH:mm:ss");
        case ColumnCount: break;
        }
    } else if (role == SortRole) {
        switch (column) {
        case CellColumn: return cell.number;
        case VoltageColumn: return SortNumber(latest.voltageV);
        case ResistanceColumn: return SortNumber(latest.resistanceMohm);
        case CapacityColumn: return SortNumber(cell.capacityMah);
        case GradeColumn: return latest.grade;
        case TemperatureColumn: return SortNumber(latest.temperatureC);
        case TimeColumn: return latest.measuredUtc;
        case ColumnCount: break;
        }
    } else if ((role == Qt::BackgroundRole || role == Qt::ForegroundRole) && column == GradeColumn) {
        if (const auto colour = gradeColours_.constFind(latest.grade); colour != gradeColours_.constEnd())
            return role == Qt::BackgroundRole ? QColor(*colour) : TextColourOn(QColor(*colour));
    } else if (role == Qt::TextAlignmentRole && column != CellColumn && column != GradeColumn) {
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    }
    return {};
}

QVariant CellTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    static const char* const Titles[ColumnCount] = {
        QT_TR_NOOP("Cell"),  QT_TR_NOOP("Voltage (V)"),      QT_TR_NOOP("Resistance (mΩ)"), QT_TR_NOOP("Capacity (mAh)"),
        QT_TR_NOOP("Grade"), QT_TR_NOOP("Temperature (°C)"), QT_TR_NOOP("Time")};
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= ColumnCount)
        return {};
    return tr(Titles[section]);
}

} // namespace voltaryn
