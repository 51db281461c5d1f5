#include "report/ReportPage.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QTextOption>

#include <algorithm>
#include <numeric>

namespace voltaryn::report {
namespace {

constexpr double Margin = 36;  // points: half an inch
constexpr double TextPoints = 9;
constexpr double RowHeight = 13;
constexpr double FooterHeight = 16;

QPageLayout A4(QPageLayout::Orientation orientation)
{
    return {QPageSize(QPageSize::A4), orientation, QMarginsF(Margin, Margin, Margin, Margin), QPageLayout::Point};
}

} // namespace

ReportPage::ReportPage(const QString& file, const QString& title, QPageLayout::Orientation orientation)
    : file_(file), writer_(&file_), title_(title), flow_(orientation)
{
    if (!file_.open(QIODevice::WriteOnly))
        throw ReportError("cannot write " + file.toStdString() + ": " + file_.errorString().toStdString());
    writer_.setPageLayout(A4(orientation));
    writer_.setResolution(72);  // one device unit a point
    writer_.setTitle(title);
    writer_.setCreator(QStringLiteral("Voltaryn"));
    if (!painter_.begin(&writer_))
        throw ReportError("cannot write " + file.toStdString());
    const QSizeF size = WholePageSize(orientation);
    width_ = size.width();
    height_ = size.height();
    painter_.setFont(Font(TextPoints));
}

QFont ReportPage::Font(double points, bool bold)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

double ReportPage::Take(double height)
{
    if (y_ > 0 && y_ + height > height_)
        NextPage(flow_);
    const double top = y_;
    y_ += height;
    return top;
}

QRectF ReportPage::WholePage(QPageLayout::Orientation orientation)
{
    if (y_ > 0 || writer_.pageLayout().orientation() != orientation)
        NextPage(orientation);
    y_ = height_;
    return {0, 0, width_, height_};
}

QSizeF ReportPage::WholePageSize(QPageLayout::Orientation orientation)
{
    const QSizeF page = A4(orientation).paintRect(QPageLayout::Point).size();
    return {page.width(), page.height() - FooterHeight};
}

void ReportPage::NextPage(QPageLayout::Orientation orientation)
{
    Footer();
    writer_.setPageLayout(A4(orientation));  // takes effect with the new page
    writer_.newPage();
    ++page_;
    y_ = 0;
    const QSizeF size = WholePageSize(orientation);
    width_ = size.width();
    height_ = size.height();
}

void ReportPage::Heading(const QString& text, double keep)
{
    Gap(y_ > 0 ? 10 : 0);
    const double kept = std::min(std::max(keep, RowHeight), height_ - 20);
    const double top = Take(20 + kept);
    y_ -= kept;
    painter_.setFont(Font(13, true));
    painter_.drawText(QRectF(0, top, width_, 20), Qt::AlignLeft | Qt::AlignVCenter, text);
    painter_.setFont(Font(TextPoints));
}

void ReportPage::Paragraph(const QString& text)
{
    painter_.setFont(Font(TextPoints));
    const QRectF bounds = painter_.boundingRect(QRectF(0, 0, width_, 1e6), Qt::TextWordWrap, text);
    painter_.drawText(QRectF(0, Take(bounds.height() + 2), width_, bounds.height()), Qt::TextWordWrap, text);
}

void ReportPage::Table(const std::vector<TableRow>& rows, const std::vector<double>& weights)
{
    const double total = std::accumulate(weights.begin(), weights.end(), 0.0);
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const int pageBefore = page_;
        double top = Take(RowHeight);
        // A table that runs onto a new page starts it with its header again.
        if (r > 0 && page_ != pageBefore) {
            DrawRow(rows.front(), weights, total, top, true);
            top = Take(RowHeight);
        }
        DrawRow(rows[r], weights, total, top, r == 0);
    }
    painter_.setFont(Font(TextPoints));
}

std::vector<double> ReportPage::FittedWeights(const std::vector<TableRow>& rows)
{
    std::vector<double> weights;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const QFontMetricsF metrics(Font(TextPoints - 0.5, r == 0));
        const QStringList& cells = rows[r].cells;
        weights.resize(std::max(weights.size(), static_cast<std::size_t>(cells.size())));
        for (qsizetype c = 0; c < cells.size(); ++c) {
            // Room for the padding, and for the swatch in the first column.
            const double room = metrics.horizontalAdvance(cells[c]) + (c == 0 ? 16 : 6);
            weights[static_cast<std::size_t>(c)] = std::max(weights[static_cast<std::size_t>(c)], room);
        }
    }
    return weights;
}

void ReportPage::DrawRow(const TableRow& row, const std::vector<double>& weights, double total, double top, bool header)
{
    painter_.setFont(Font(TextPoints - 0.5, header));
    double left = 0;
    for (std::size_t c = 0; c < weights.size(); ++c) {
        const double width = width_ * weights[c] / total;
        const QRectF cell(left, top, width, RowHeight);
        if (c == 0 && row.swatch.isValid())
            painter_.fillRect(QRectF(left, top + 2, 8, RowHeight - 4), row.swatch);
        const auto column = static_cast<qsizetype>(c);
        const QString text = column < row.cells.size() ? row.cells[column] : QString();
        painter_.drawText(cell.adjusted(c == 0 && row.swatch.isValid() ? 12 : 2, 0, -2, 0), text,
                          QTextOption((c == 0 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter));
        left += width;
    }
    const int grey = header ? 0x60 : 0xc8;
    painter_.setPen(QPen(QColor(grey, grey, grey), 0.5));
    painter_.drawLine(QPointF(0, top + RowHeight), QPointF(width_, top + RowHeight));
    painter_.setPen(Qt::black);
}

void ReportPage::Footer()
{
    painter_.setFont(Font(TextPoints - 1.5));
    painter_.setPen(QColor(0x60, 0x60, 0x60));
    painter_.drawText(QRectF(0, height_ + FooterHeight - RowHeight, width_, RowHeight), Qt::AlignRight | Qt::AlignVCenter,
                      QCoreApplication::translate("voltaryn::report::ReportPage", "%1 · page %2").arg(title_).arg(page_));
    painter_.setPen(Qt::black);
    painter_.setFont(Font(TextPoints));
}

void ReportPage::Finish()
{
    Footer();
    if (!painter_.end() || !file_.flush())
        throw ReportError("cannot write " + file_.fileName().toStdString() + ": " + file_.errorString().toStdString());
}

} // namespace voltaryn::report
