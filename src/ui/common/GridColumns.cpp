#include "ui/common/GridColumns.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QStandardItemModel>
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

void SetUpPickList(QTableView& grid, QStandardItemModel& model, const QStringList& titles,
                   const QStringList& widthSamples)
{
    grid.setModel(&model);
    grid.verticalHeader()->hide();
    grid.setWordWrap(false);
    grid.setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid.setSelectionBehavior(QAbstractItemView::SelectRows);
    grid.setSelectionMode(QAbstractItemView::SingleSelection);
    model.setColumnCount(static_cast<int>(titles.size()));
    model.setHorizontalHeaderLabels(titles);
    int width = 0;
    for (int column = 0; column < titles.size(); ++column) {
        grid.setColumnWidth(column, ColumnWidthFor(grid, widthSamples.at(column)));
        width += grid.columnWidth(column);
    }
    grid.setMinimumWidth(width + grid.verticalScrollBar()->sizeHint().width() + 2 * grid.frameWidth());
}

} // namespace voltaryn
