#pragma once

#include "files/RecordTable.h"

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace voltaryn {

// The layout of a printed record list. Every length is in twips (1/1440 inch), measured from the
// top left corner of the page's printable area.

// The printed width of a text in the print font.
using TextWidth = std::function<double(std::string_view text)>;

// The page's left and top margins; the table keeps as much room to its right.
inline constexpr double PageMargin = 400;

// What the printer tells about its page and font.
struct PrintPage {
    double width = 0;       // printable width
    double height = 0;      // printable height
    double lineHeight = 0;  // printed height of one text line ("H")
    double margin = PageMargin;
};

// One printed page: the rows [firstRow, endRow) of the plan, and its footer's left edge.
struct PrintedPage {
    std::size_t firstRow = 0;
    std::size_t endRow = 0;
    double footerLeft = 0;
};

// Where everything goes, computed once so that printing only walks it. Printed row 0 is the
// header, printed row r > 0 the table's row r - 1 (see `PrintedCells`).
struct PrintPlan {
    double lineHeight = 0;
    std::vector<double> columnLeft;   // left edge of each column's cells
    std::vector<double> columnWidth;  // widest measured text; a cell is this plus `ColumnGap` wide
    double tableRight = 0;            // right edge of the last column
    std::vector<double> textLeft;     // each cell's centred text, row after row
    std::vector<double> rowTop;       // each printed row's top
    std::vector<PrintedPage> pages;
    double footerTop = 0;             // the same on every page

    std::size_t Columns() const { return columnLeft.size(); }
    double TextLeft(std::size_t row, std::size_t column) const { return textLeft[row * Columns() + column]; }
};

// Room between the texts of neighbouring columns.
inline constexpr double ColumnGap = 100;

// The printable widths of the paper, upright and turned.
struct PaperWidths {
    double portrait = 0;
    double landscape = 0;
};

// How a list goes on the paper so that no column is lost.
struct PrintFit {
    bool landscape = false;
    double fontScale = 1;  // of the print font, and so of every text width and the line height
};

// Keeps the orientation chosen when every column fits across it in the print font (`textWidth`),
// with a right margin as wide as the left one; otherwise turns the paper to landscape, and when
// even that is too narrow, shrinks the font until the columns fit. Columns are sized as
// PlanPrint sizes them.
PrintFit FitPrint(const RecordTable& table, PaperWidths paper, bool landscapeChosen, const TextWidth& textWidth);

// Lays out the table's rows, header first, one text line each, in as many columns as the header
// has titles. A column is as wide as the wider of its header and its last row, each measured with
// a "0" appended; other rows are not measured. A page ends before a row when the row's top plus
// four line heights lies below the printable height, but always holds at least one row. Each page
// has its number as footer two line heights above the printable bottom, centred.
PrintPlan PlanPrint(const RecordTable& table, const PrintPage& page, const TextWidth& textWidth);

// The cells of printed row `row`: the header for row 0, else the table's row `row` - 1.
const RecordRow& PrintedCells(const RecordTable& table, std::size_t row);

// The footer text of page `number` (counted from 1): "P - 1", "P - 2", ...
std::string PageFooter(std::size_t number);

} // namespace voltaryn
