#include "ui/lists/GridPrinter.h"

#include "files/PrintLayout.h"
#include "ui/common/DialogService.h"
#include "ui/common/QtText.h"
#include "ui/common/Twips.h"
#include "ui/common/WaitCursor.h"

#include <QFontMetricsF>
#include <QLineF>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>

#include <algorithm>

namespace voltaryn {
namespace {

constexpr double FontPoints = 11;
constexpr double LineWidthTwips = 10;


// Draws a plan in device units: the printer's dots, `scale` of them to a twip.
class PlanPainter {
public:
    PlanPainter(QPainter& painter, const PrintPlan& plan, double scale, double ascent)
        : painter_(painter), plan_(plan), scale_(scale), ascent_(ascent)
    {
        QPen pen = painter.pen();
        pen.setWidthF(LineWidthTwips * scale);
        painter.setPen(pen);
    }

    // The borders of every cell on the page: one line above each row and below the last, one
    // left of each column and right of the last.
    void DrawBorders(const PrintedPage& page)
    {
        const double top = plan_.rowTop[page.firstRow];
        const double bottom = plan_.rowTop[page.endRow - 1] + plan_.lineHeight;
        const double left = plan_.columnLeft.empty() ? plan_.tableRight : plan_.columnLeft.front();
        lines_.clear();
        for (std::size_t r = page.firstRow; r < page.endRow; ++r)
            lines_.append(Line(left, plan_.rowTop[r], plan_.tableRight, plan_.rowTop[r]));
        lines_.append(Line(left, bottom, plan_.tableRight, bottom));
        for (const double x : plan_.columnLeft)
            lines_.append(Line(x, top, x, bottom));
        lines_.append(Line(plan_.tableRight, top, plan_.tableRight, bottom));
        painter_.drawLines(lines_);
    }

    void DrawRows(const RecordTable& table, const PrintedPage& page)
    {
        for (std::size_t r = page.firstRow; r < page.endRow; ++r) {
            const RecordRow& cells = PrintedCells(table, r);
            const std::size_t columns = std::min(cells.size(), plan_.Columns());
            for (std::size_t c = 0; c < columns; ++c)
                if (!cells[c].empty())
                    DrawText(plan_.TextLeft(r, c), plan_.rowTop[r], ToQString(cells[c]));
        }
    }

    void DrawFooter(const PrintedPage& page, std::size_t number)
    {
        DrawText(page.footerLeft, plan_.footerTop, ToQString(PageFooter(number)));
    }

private:
    QLineF Line(double x1, double y1, double x2, double y2) const
    {
        return {x1 * scale_, y1 * scale_, x2 * scale_, y2 * scale_};
    }
    // `top` is the top of the text line; the painter places text by its baseline.
    void DrawText(double left, double top, const QString& text)
    {
        painter_.drawText(QPointF(left * scale_, top * scale_ + ascent_), text);
    }

    QPainter& painter_;
    const PrintPlan& plan_;
    double scale_;
    double ascent_;
    QList<QLineF> lines_;
};

double DotsPerTwip(const QPrinter& printer) { return printer.resolution() / Twips::PerInch; }

// The printed width of a text in twips, in the font of `metrics`.
TextWidth InTwips(const QFontMetricsF& metrics, const QPrinter& printer)
{
    return [&metrics, dotsPerTwip = DotsPerTwip(printer)](std::string_view text) {
        return metrics.horizontalAdvance(ToQString(text)) / dotsPerTwip;
    };
}

PaperWidths PrintableWidths(const QPrinter& printer)
{
    const auto width = [&printer](QPageLayout::Orientation orientation) {
        QPageLayout layout = printer.pageLayout();
        layout.setOrientation(orientation);
        return layout.paintRect(QPageLayout::Inch).width() * Twips::PerInch;
    };
    return {width(QPageLayout::Portrait), width(QPageLayout::Landscape)};
}

} // namespace

PrintResult PrintTable(QPrinter& printer, const RecordTable& table, EventPump* events)
{
    QFont font;
    font.setPointSizeF(FontPoints);
    const QFontMetricsF fullSize(font, &printer);
    const PrintFit fit = FitPrint(table, PrintableWidths(printer),
                                  printer.pageLayout().orientation() == QPageLayout::Landscape,
                                  InTwips(fullSize, printer));
    printer.setPageOrientation(fit.landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    font.setPointSizeF(FontPoints * fit.fontScale);

    QPainter painter;
    if (!painter.begin(&printer))
        return {PrintStatus::PrinterFailed, 0};
    painter.setFont(font);

    const double dotsPerTwip = DotsPerTwip(printer);
    const QFontMetricsF metrics(font, &printer);
    // A row is one text line high: the font's full height (ascent and descent), as "H" prints.
    const PrintPage page{.width = printer.width() / dotsPerTwip,
                         .height = printer.height() / dotsPerTwip,
                         .lineHeight = metrics.height() / dotsPerTwip};
    const PrintPlan plan = PlanPrint(table, page, InTwips(metrics, printer));

    PlanPainter draw(painter, plan, dotsPerTwip, metrics.ascent());
    for (std::size_t p = 0; p < plan.pages.size(); ++p) {
        if (p > 0)
            printer.newPage();
        draw.DrawBorders(plan.pages[p]);
        draw.DrawRows(table, plan.pages[p]);
        draw.DrawFooter(plan.pages[p], p + 1);
        if (events != nullptr)
            events->LetEventsRun();
    }
    painter.end();
    return {PrintStatus::Printed, static_cast<int>(plan.pages.size())};
}

PrintResult PrintGrid(DialogService& dialogs, QWidget* parent, const RecordTable& table, EventPump* events)
{
    QPrinter printer(QPrinter::HighResolution);
    if (!dialogs.ChoosePrinter(parent, printer))
        return {PrintStatus::Cancelled, 0};
    const WaitCursor wait;
    return PrintTable(printer, table, events);
}

} // namespace voltaryn
