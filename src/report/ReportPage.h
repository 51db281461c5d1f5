#pragma once

#include <QColor>
#include <QFile>
#include <QFont>
#include <QPainter>
#include <QPdfWriter>
#include <QStringList>

#include <stdexcept>
#include <vector>

namespace voltaryn::report {

// A report file that could not be written; its text says which file and why.
class ReportError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A row of a table; `swatch`, when valid, fills the first cell (a grade's colour).
struct TableRow {
    TableRow(QStringList texts, QColor fill = {}) : cells(std::move(texts)), swatch(fill) {}

    QStringList cells;
    QColor swatch;
};

// An A4 PDF laid out from the top down: blocks take the room they need on the page, or start a
// new one in the orientation the document began with. Coordinates are points (1/72 inch) from
// the top left corner inside the margins. Each page ends in a footer of the title and the page's
// number.
class ReportPage {
public:
    // Throws a ReportError when `file` cannot be written.
    ReportPage(const QString& file, const QString& title,
               QPageLayout::Orientation orientation = QPageLayout::Portrait);
    ReportPage(const ReportPage&) = delete;
    ReportPage& operator=(const ReportPage&) = delete;

    QPainter& Painter() { return painter_; }
    double Width() const { return width_; }
    // The top of a block `height` points high: here when it fits on the page, else on a new one.
    double Take(double height);
    void Gap(double height) { y_ += height; }
    // A page of its own in `orientation` (this one when nothing is on it yet and it has that
    // orientation), whole but for its footer; the next block starts a new page.
    QRectF WholePage(QPageLayout::Orientation orientation);
    // The size of what WholePage gives in `orientation`.
    static QSizeF WholePageSize(QPageLayout::Orientation orientation);

    // A heading kept on one page with the `keep` points that follow it (one row at least).
    void Heading(const QString& text, double keep = 0);
    void Paragraph(const QString& text);
    // Columns share the width by `weights`; the first row is the header, drawn bold and again at
    // the top of each page the table runs onto.
    void Table(const std::vector<TableRow>& rows, const std::vector<double>& weights);
    // Weights that give each column of `rows` the room of its widest text.
    static std::vector<double> FittedWeights(const std::vector<TableRow>& rows);

    // Ends the document; throws a ReportError when it could not be written whole.
    void Finish();

    static QFont Font(double points, bool bold = false);

private:
    void DrawRow(const TableRow& row, const std::vector<double>& weights, double total, double top, bool header);
    void Footer();
    void NextPage(QPageLayout::Orientation orientation);

    QFile file_;  // opened ahead of the writer, which tells no reason when it cannot open it
    QPdfWriter writer_;
    QPainter painter_;
    double width_ = 0;
    double height_ = 0;
    double y_ = 0;
    QString title_;
    QPageLayout::Orientation flow_;  // of the pages the blocks run onto
    int page_ = 1;
};

} // namespace voltaryn::report
