#pragma once

#include <QString>

class QTableView;

namespace voltaryn {

// The width of a grid column whose cells show `sample` on one line: the text, the margins the
// style puts around a cell's text, and the grid line.
int ColumnWidthFor(const QTableView& grid, const QString& sample);

} // namespace voltaryn
