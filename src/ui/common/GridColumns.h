#pragma once

#include <QString>
#include <QStringList>

class QStandardItemModel;
class QTableView;

namespace voltaryn {

// The width of a grid column whose cells show `sample` on one line: the text, the margins the
// style puts around a cell's text, and the grid line.
int ColumnWidthFor(const QTableView& grid, const QString& sample);

// Sets up `grid` as a read-only list whose rows are picked whole: titled columns as wide as their
// samples, no row numbers, cells on one line, and the grid at least wide enough for all columns.
void SetUpPickList(QTableView& grid, QStandardItemModel& model, const QStringList& titles,
                   const QStringList& widthSamples);

} // namespace voltaryn
