#include "report/PackMapPainter.h"

#include "report/DeviationColour.h"
#include "report/ReportPage.h"
#include "report/TextContrast.h"

#include <QFontMetricsF>

#include <algorithm>

namespace voltaryn::report {
namespace {

constexpr double LabelWidth = 34;
constexpr double MinColumn = 36;
constexpr double MaxColumn = 64;
constexpr double Row = 11;

void Cell(QPainter& painter, const QRectF& box, const QString& text, const QColor& fill)
{
    if (fill.isValid())
        painter.fillRect(box.adjusted(0.4, 0.4, -0.4, -0.4), fill);
    painter.setPen(fill.isValid() ? TextColourOn(fill) : QColor(Qt::black));
    const QString shown = QFontMetricsF(painter.font()).elidedText(text, Qt::ElideMiddle, box.width() - 2);
    painter.drawText(box, Qt::AlignCenter, shown);
}

} // namespace

void PaintPackMap(ReportPage& page, const cells::PackMap& map)
{
    QPainter& painter = page.Painter();
    const int groups = static_cast<int>(map.groups.size());
    const int perBlock = std::clamp(static_cast<int>((page.Width() - LabelWidth) / MinColumn), 1, std::max(groups, 1));
    const double column = std::min(MaxColumn, (page.Width() - LabelWidth) / perBlock);

    page.Paragraph(QStringLiteral("Colour: capacity against the mean of %1 mAh, from blue (−%2 %) through grey to red "
                                  "(+%2 %). Capacity spread %3 mAh, resistance spread %4 mΩ.")
                       .arg(map.meanCapacity, 0, 'f', 0)
                       .arg(map.largestDeviation * 100, 0, 'f', 2)
                       .arg(map.capacitySpread, 0, 'f', 1)
                       .arg(map.resistanceSpread, 0, 'f', 3));
    for (int first = 0; first < groups; first += perBlock) {
        const int last = std::min(groups, first + perBlock);
        const auto row = [&](const QString& label, bool bold, const auto& text, const auto& fill) {
            const double top = page.Take(Row);
            painter.setFont(ReportPage::Font(6.5, bold));
            Cell(painter, QRectF(0, top, LabelWidth, Row), label, {});
            for (int g = first; g < last; ++g)
                Cell(painter, QRectF(LabelWidth + (g - first) * column, top, column, Row), text(g), fill(g));
        };
        const auto none = [](int) { return QColor(); };
        row(QStringLiteral("Group"), true, [](int g) { return QString::number(g + 1); }, none);
        for (int p = 0; p < map.parallel; ++p) {
            const auto member = [&](int g) -> const cells::MapCell* {
                const auto& cells = map.groups[static_cast<std::size_t>(g)].cells;
                return p < static_cast<int>(cells.size()) ? &cells[static_cast<std::size_t>(p)] : nullptr;
            };
            row(QString::number(p + 1), false,
                [&](int g) { return member(g) != nullptr ? QString::fromStdString(member(g)->id) : QString(); },
                [&](int g) { return member(g) != nullptr ? DeviationColour(member(g)->deviation, map.largestDeviation) : QColor(); });
        }
        row(QStringLiteral("mAh"), true,
            [&](int g) { return QString::number(map.groups[static_cast<std::size_t>(g)].capacity, 'f', 0); }, none);
        row(QStringLiteral("mΩ"), true,
            [&](int g) { return QString::number(map.groups[static_cast<std::size_t>(g)].resistance, 'f', 2); }, none);
        page.Gap(6);
    }
    painter.setPen(Qt::black);
    painter.setFont(ReportPage::Font(9));
}

} // namespace voltaryn::report
