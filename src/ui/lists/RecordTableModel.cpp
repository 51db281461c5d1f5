#include "ui/lists/RecordTableModel.h"

#include "ui/common/QtText.h"

namespace voltaryn {
namespace {

// The text a cell shows: its first MostShown characters and "…" when it is longer. The view lays
// out all the text it is given at every repaint, which takes seconds for a line of megabytes (a
// file that is no data file may hold one).
QString ShownText(std::string_view cell)
{
    constexpr qsizetype MostShown = 256;
    constexpr std::size_t MostBytesShown = 4 * MostShown;  // UTF-8 takes at most four bytes a character
    QString text = ToQString(cell.substr(0, MostBytesShown));
    if (text.size() <= MostShown && cell.size() <= MostBytesShown)
        return text;
    text.truncate(text[MostShown - 1].isHighSurrogate() ? MostShown - 1 : MostShown);
    return text + u'…';
}

} // namespace

RecordTableModel::RecordTableModel(RecordTable table, QObject* parent)
    : QAbstractTableModel(parent), table_(std::move(table))
{
}

int RecordTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(table_.rows.size());
}

int RecordTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(table_.header.size());
}

QVariant RecordTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    if (role == Qt::TextAlignmentRole)
        return static_cast<int>(Qt::AlignCenter);
    if (role != Qt::DisplayRole)
        return {};
    const RecordRow& row = table_.rows[static_cast<std::size_t>(index.row())];
    const auto column = static_cast<std::size_t>(index.column());
    return column < row.size() ? ShownText(row[column]) : QString();
}

QVariant RecordTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section >= columnCount())
        return QAbstractTableModel::headerData(section, orientation, role);
    return ToQString(table_.header[static_cast<std::size_t>(section)]);
}

void RecordTableModel::AppendRow(RecordRow row)
{
    const int at = rowCount();
    beginInsertRows({}, at, at);
    table_.rows.push_back(std::move(row));
    endInsertRows();
}

void RecordTableModel::SetRows(std::vector<RecordRow> rows)
{
    beginResetModel();
    table_.rows = std::move(rows);
    endResetModel();
}

void RecordTableModel::SetTitle(int column, const std::string& title)
{
    table_.header.at(static_cast<std::size_t>(column)) = title;
    emit headerDataChanged(Qt::Horizontal, column, column);
}

} // namespace voltaryn
