#include "ui/common/GridColumns.h"

#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTableView>

namespace voltaryn {

int ColumnWidthFor(const QTableView& grid, const QString& sample)
{
    QStyleOptionViewItem cell;
    cell.initFrom(&grid);
    cell.font = grid.font();
    cell.features = QStyleOptionViewItem::HasDisplay;
    cell.text = sample;
    const QSize size = grid.style()->sizeFromContents(QStyle::CT_ItemViewItem, &cell, QSize(), &grid);
    return size.width() + (grid.showGrid() ? 1 : 0);
}

} // namespace voltaryn
