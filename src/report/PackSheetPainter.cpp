#include "report/PackSheetPainter.h"

#include "report/DeviationColour.h"
#include "report/PackSheetLayout.h"
#include "report/ReportPage.h"
#include "report/TextContrast.h"

#include <QFontMetricsF>
#include <QPainterPath>

#include <algorithm>

namespace voltaryn::report {
namespace {

// Points above the grid the title takes about, for choosing the page's orientation.
constexpr double TitleAllowance = 80;
constexpr double TitleGap = 6;
constexpr double SmallestId = 4;  // points: an ID shrinks no further, and is cut instead
const QColor Minus(0x20, 0x20, 0x20);
const QColor Plus(0xc6, 0x28, 0x28);
const QColor Rule(0x90, 0x90, 0x90);

QString Quoted(const QString& text) { return QStringLiteral("\"%1\"").arg(text); }

// "Pack "pack 1" · batch "lot 7"".
QString Heading(const SheetTitle& title)
{
    const QString name = title.pack.isEmpty() ? QStringLiteral("Unsaved pack") : "Pack " + Quoted(title.pack);
    return QStringLiteral("%1 · batch %2").arg(name, Quoted(title.batch));
}

struct TitleLine {
    QString text;
    double points;
    bool bold;
};

// The name, the pack's figures and the legend; with `bands`, how a row of groups goes on.
std::vector<TitleLine> TitleLines(const SheetTitle& title, const cells::PackMap& map, bool bands)
{
    const int series = static_cast<int>(map.groups.size());
    std::size_t cells = 0;
    for (const cells::MapGroup& group : map.groups)
        cells += group.cells.size();
    return {
        {Heading(title), 14, true},
        {QStringLiteral("%1S%2P · %3 cells · %4 (its smallest group) · %5 (its groups in series) · "
                        "capacity spread %6 · resistance spread %7")
             .arg(series)
             .arg(map.parallel)
             .arg(cells)
             .arg(MahText(map.capacity), map.resistance > 0 ? MohmText(map.resistance, 2) : QStringLiteral("– mΩ"),
                  QString::number(map.capacitySpread, 'f', 1) + QStringLiteral(" mAh"), MohmText(map.resistanceSpread, 3)),
         9, false},
        {QStringLiteral("Groups in series, left to right: the pack's − at group 1, its + at group %1%2. "
                        "A box: cell ID, mAh, mΩ, on its capacity against the mean of %3: blue −%4 % · grey · red +%4 %. "
                        "Under each group: its capacity sum and parallel resistance.")
             .arg(series)
             .arg(bands ? QStringLiteral("; each row of groups goes on at the → of the next") : QString())
             .arg(MahText(map.meanCapacity))
             .arg(map.largestDeviation * 100, 0, 'f', 2),
         7.5, false},
    };
}

// Draws `lines` wrapped from the top of `area` (or, without `draw`, only measures them); returns
// the height they take.
double PaintTitle(QPainter& painter, const QRectF& area, const std::vector<TitleLine>& lines, bool draw)
{
    double top = area.top();
    painter.setPen(Qt::black);
    for (const TitleLine& line : lines) {
        painter.setFont(ReportPage::Font(line.points, line.bold));
        const QRectF bounds = painter.boundingRect(QRectF(area.left(), top, area.width(), 1e6), Qt::TextWordWrap, line.text);
        if (draw)
            painter.drawText(QRectF(area.left(), top, area.width(), bounds.height()), Qt::TextWordWrap, line.text);
        top += bounds.height() + 1;
    }
    return top - area.top();
}

// Lines of text centred one under the other in `box`, each `line` high.
void PaintLines(QPainter& painter, const QRectF& box, double line, const std::vector<std::pair<QString, QFont>>& lines)
{
    double top = box.center().y() - line * static_cast<double>(lines.size()) / 2;
    for (const auto& [text, font] : lines) {
        painter.setFont(font);
        painter.drawText(QRectF(box.left(), top, box.width(), line), Qt::AlignCenter, text);
        top += line;
    }
}

// The ID in the font of the figures when it fits, else smaller, and cut at its start (the end is
// what tells the cells of a lot apart) only when even the smallest size is too wide.
std::pair<QString, QFont> IdLine(QPainter& painter, const QString& id, double width, double points)
{
    const double measured = QFontMetricsF(ReportPage::Font(points, true), painter.device()).horizontalAdvance(id);
    if (measured <= width)
        return {id, ReportPage::Font(points, true)};
    const double fitting = points * width / measured * 0.98;  // a little room for the hinting at the smaller size
    const double smallest = std::min(points, SmallestId);
    if (fitting >= smallest)
        return {id, ReportPage::Font(fitting, true)};
    const QFont font = ReportPage::Font(smallest, true);
    return {QFontMetricsF(font, painter.device()).elidedText(id, Qt::ElideLeft, width), font};
}

// A terminal, or the chain's way on, in the strip beside a band's boxes.
void PaintEnd(QPainter& painter, const QRectF& strip, const QString& sign, const QColor& fill)
{
    const double width = strip.width() * 0.8;
    const QRectF mark(strip.center().x() - width / 2, strip.top() + 1, width, strip.height() - 2);
    if (fill.isValid()) {
        QPainterPath path;
        path.addRoundedRect(mark, width / 4, width / 4);
        painter.fillPath(path, fill);
    }
    painter.setPen(fill.isValid() ? TextColourOn(fill) : Rule);
    painter.setFont(ReportPage::Font(std::max(1.0, width * 0.8), true));
    painter.drawText(mark, Qt::AlignCenter, sign);
}

void PaintBand(QPainter& painter, const SheetLayout& layout, const cells::PackMap& map, QPointF origin, int first,
               int last)
{
    const double line = layout.font * 1.25;
    const double inner = layout.column - 4;
    const QFont figures = ReportPage::Font(layout.font);
    const QFont bold = ReportPage::Font(layout.font, true);
    const double boxesTop = origin.y() + layout.heading;
    const double boxesHeight = map.parallel * layout.box;
    const int series = static_cast<int>(map.groups.size());
    for (int g = first; g < last; ++g) {
        const cells::MapGroup& group = map.groups[static_cast<std::size_t>(g)];
        const double left = origin.x() + layout.strip + (g - first) * layout.column;
        painter.setPen(Qt::black);
        PaintLines(painter, QRectF(left, origin.y(), layout.column, layout.heading), line, {{GroupText(g + 1), bold}});
        for (std::size_t p = 0; p < group.cells.size(); ++p) {
            const cells::MapCell& cell = group.cells[p];
            const QRectF box = QRectF(left, boxesTop + static_cast<double>(p) * layout.box, layout.column, layout.box)
                                   .adjusted(0.75, 0.75, -0.75, -0.75);
            const QColor fill = DeviationColour(cell.deviation, map.largestDeviation);
            painter.fillRect(box, fill);
            painter.setPen(QPen(Rule, 0.5));
            painter.drawRect(box);
            painter.setPen(TextColourOn(fill));
            PaintLines(painter, box, line,
                       {IdLine(painter, QString::fromStdString(cell.id), inner, layout.font),
                        {MahText(cell.capacity), figures},
                        {MohmText(cell.resistance, 2), figures}});
        }
        painter.setPen(Qt::black);
        PaintLines(painter, QRectF(left, boxesTop + boxesHeight, layout.column, layout.sums), line,
                   {{"Σ " + MahText(group.capacity), bold}, {MohmText(group.resistance, 3), figures}});
    }
    const QRectF before(origin.x(), boxesTop, layout.strip, boxesHeight);
    const QRectF after(origin.x() + layout.strip + (last - first) * layout.column, boxesTop, layout.strip, boxesHeight);
    PaintEnd(painter, before, first == 0 ? QStringLiteral("−") : QStringLiteral("→"), first == 0 ? Minus : QColor());
    PaintEnd(painter, after, last == series ? QStringLiteral("+") : QStringLiteral("→"), last == series ? Plus : QColor());
}

} // namespace

void PaintPackSheet(QPainter& painter, const QRectF& area, const SheetTitle& title, const cells::PackMap& map)
{
    painter.save();
    // Room for the longer title, the one that tells how the rows of groups go on.
    const double titleHeight = PaintTitle(painter, area, TitleLines(title, map, true), false);
    const QRectF grid = area.adjusted(0, titleHeight + TitleGap, 0, 0);
    const SheetLayout layout = LayOutSheet(grid.size(), map);
    PaintTitle(painter, area, TitleLines(title, map, layout.bands > 1), true);
    const int series = static_cast<int>(map.groups.size());
    for (int band = 0; band < layout.bands; ++band) {
        const int first = band * layout.groupsPerBand;
        const int last = std::min(series, first + layout.groupsPerBand);
        if (first < last)
            PaintBand(painter, layout, map, {grid.left(), grid.top() + band * (layout.BandHeight(map.parallel) + layout.gap)},
                      first, last);
    }
    painter.restore();
}

QPageLayout::Orientation SheetOrientation(const cells::PackMap& map)
{
    const auto font = [&map](QPageLayout::Orientation orientation) {
        const QSizeF page = ReportPage::WholePageSize(orientation);
        return LayOutSheet({page.width(), page.height() - TitleAllowance}, map).font;
    };
    return font(QPageLayout::Landscape) >= font(QPageLayout::Portrait) ? QPageLayout::Landscape : QPageLayout::Portrait;
}

void WritePackSheet(const QString& file, const SheetTitle& title, const cells::PackMap& map)
{
    const QPageLayout::Orientation orientation = SheetOrientation(map);
    ReportPage page(file, Heading(title), orientation);
    PaintPackSheet(page.Painter(), page.WholePage(orientation), title, map);
    page.Finish();
}

} // namespace voltaryn::report
