#include "files/PrintLayout.h"

#include <algorithm>
#include <numeric>

namespace voltaryn {
namespace {

std::string_view CellText(const RecordRow& row, std::size_t column)
{
    return column < row.size() ? std::string_view(row[column]) : std::string_view();
}

// The widest measured text of each column: the wider of its header and its last row, each
// measured with a "0" appended.
std::vector<double> ColumnWidths(const RecordTable& table, const TextWidth& textWidth)
{
    const RecordRow& lastRow = PrintedCells(table, table.rows.size());
    const auto measuredWithZero = [&](std::string_view text) { return textWidth(std::string(text) + "0"); };
    std::vector<double> widths;
    widths.reserve(table.header.size());
    for (std::size_t c = 0; c < table.header.size(); ++c)
        widths.push_back(std::max(measuredWithZero(CellText(table.header, c)), measuredWithZero(CellText(lastRow, c))));
    return widths;
}

void PlaceColumns(const RecordTable& table, const PrintPage& page, const TextWidth& textWidth, PrintPlan& plan)
{
    plan.columnWidth = ColumnWidths(table, textWidth);
    double left = page.margin;
    for (const double width : plan.columnWidth) {
        plan.columnLeft.push_back(left);
        left += width + ColumnGap;
    }
    plan.tableRight = left;
}

void CentreTexts(const RecordTable& table, const TextWidth& textWidth, PrintPlan& plan)
{
    const std::size_t rows = table.rows.size() + 1;
    plan.textLeft.reserve(rows * plan.Columns());
    for (std::size_t r = 0; r < rows; ++r) {
        const RecordRow& cells = PrintedCells(table, r);
        for (std::size_t c = 0; c < plan.Columns(); ++c) {
            const std::string_view text = CellText(cells, c);
            const double textSize = text.empty() ? 0.0 : textWidth(text);
            plan.textLeft.push_back(plan.columnLeft[c] + (plan.columnWidth[c] + ColumnGap - textSize) / 2);
        }
    }
}

// Rows go down the page one line height apart; a row starts a new page when the page already
// holds a row and four line heights from the row's top would pass the printable height.
void BreakPages(std::size_t rows, const PrintPage& page, PrintPlan& plan)
{
    plan.rowTop.reserve(rows);
    std::size_t rowOnPage = 0;
    for (std::size_t r = 0; r < rows; ++r) {
        double top = page.margin + static_cast<double>(rowOnPage) * page.lineHeight;
        if (rowOnPage > 0 && top + 4 * page.lineHeight > page.height) {
            plan.pages.push_back({r - rowOnPage, r, 0});
            rowOnPage = 0;
            top = page.margin;
        }
        plan.rowTop.push_back(top);
        ++rowOnPage;
    }
    plan.pages.push_back({rows - rowOnPage, rows, 0});
}

void PlaceFooters(const PrintPage& page, const TextWidth& textWidth, PrintPlan& plan)
{
    plan.footerTop = page.height - 2 * page.lineHeight;
    for (std::size_t p = 0; p < plan.pages.size(); ++p)
        plan.pages[p].footerLeft = (page.width - textWidth(PageFooter(p + 1))) / 2;
}

} // namespace

PrintFit FitPrint(const RecordTable& table, PaperWidths paper, bool landscapeChosen, const TextWidth& textWidth)
{
    const std::vector<double> widths = ColumnWidths(table, textWidth);
    const double texts = std::accumulate(widths.begin(), widths.end(), 0.0);
    // The margins and the room between the columns do not shrink with the font.
    const double fixed = 2 * PageMargin + static_cast<double>(widths.size()) * ColumnGap;
    const auto fitsAcross = [&](double paperWidth) { return fixed + texts <= paperWidth; };
    if (fitsAcross(landscapeChosen ? paper.landscape : paper.portrait))
        return {landscapeChosen, 1};
    if (fitsAcross(paper.landscape))
        return {true, 1};
    return {true, (paper.landscape - fixed) / texts};
}

const RecordRow& PrintedCells(const RecordTable& table, std::size_t row)
{
    return row == 0 ? table.header : table.rows[row - 1];
}

std::string PageFooter(std::size_t number)
{
    return "P - " + std::to_string(number);
}

PrintPlan PlanPrint(const RecordTable& table, const PrintPage& page, const TextWidth& textWidth)
{
    PrintPlan plan;
    plan.lineHeight = page.lineHeight;
    PlaceColumns(table, page, textWidth, plan);
    CentreTexts(table, textWidth, plan);
    BreakPages(table.rows.size() + 1, page, plan);
    PlaceFooters(page, textWidth, plan);
    return plan;
}

} // namespace voltaryn
