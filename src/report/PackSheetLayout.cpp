#include "report/PackSheetLayout.h"

#include <QFont>
#include <QFontMetricsF>

#include <algorithm>

namespace voltaryn::report {
namespace {

constexpr double LargestFont = 14;  // points: beyond this the figures only grow emptier
constexpr double SmallestFont = 1;
constexpr double Line = 1.25;       // a line's height, in ems
constexpr double Padding = 3;       // points inside a box, across and down
// An ID longer than this (in digits' widths) is shrunk or cut rather than shrinking the sheet.
const QString LongestUsualId = QStringLiteral("00000000000000");

// In ems: the widest text a group's column holds.
double WidestText(const cells::PackMap& map)
{
    double widest = EmWidth(GroupText(static_cast<int>(map.groups.size())), true);
    const double idLimit = EmWidth(LongestUsualId, true);
    for (const cells::MapGroup& group : map.groups) {
        widest = std::max({widest, EmWidth("Σ " + MahText(group.capacity), true), EmWidth(MohmText(group.resistance, 3), false)});
        for (const cells::MapCell& cell : group.cells)
            widest = std::max({widest, std::min(idLimit, EmWidth(QString::fromStdString(cell.id), true)),
                               EmWidth(MahText(cell.capacity), false), EmWidth(MohmText(cell.resistance, 2), false)});
    }
    return widest;
}

} // namespace

QString MahText(double mah) { return QString::number(mah, 'f', 0) + QStringLiteral(" mAh"); }

QString MohmText(double mohm, int decimals) { return QString::number(mohm, 'f', decimals) + QStringLiteral(" mΩ"); }

QString GroupText(int number) { return QStringLiteral("Group %1").arg(number); }

double EmWidth(const QString& text, bool bold)
{
    constexpr int Em = 1000;  // pixels: a size at which rounding does not matter
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(Em);
    font.setBold(bold);
    return QFontMetricsF(font).horizontalAdvance(text) / Em;
}

SheetLayout LayOutSheet(const QSizeF& area, const cells::PackMap& map)
{
    const int series = std::max(1, static_cast<int>(map.groups.size()));
    const int parallel = std::max(1, map.parallel);
    const double widest = WidestText(map);
    // In ems, down a band: the heading, the boxes of three lines and the two lines of sums; and
    // between bands.
    const double headingEms = 1.6;
    const double boxEms = 3 * Line;
    const double sumsEms = 2 * Line;
    const double gapEms = 1.5;
    const double stripEms = 3;
    SheetLayout best;
    best.font = -1;
    for (int bands = 1; bands <= series; ++bands) {
        const int perBand = (series + bands - 1) / bands;
        if (bands > 1 && (series + bands - 2) / (bands - 1) == perBand)
            continue;  // as many groups a band as with a band fewer
        const double byHeight = (area.height() - bands * (parallel + 1) * Padding)
                                / (bands * (headingEms + parallel * boxEms + sumsEms) + (bands - 1) * gapEms);
        const double byWidth = (area.width() - perBand * 2 * Padding) / (2 * stripEms + perBand * widest);
        const double font = std::min({LargestFont, byHeight, byWidth});
        if (font > best.font) {
            best.bands = bands;
            best.groupsPerBand = perBand;
            best.font = font;
        }
    }
    const double font = std::max(SmallestFont, best.font);
    best.font = font;
    best.strip = stripEms * font;
    best.column = (area.width() - 2 * best.strip) / best.groupsPerBand;
    best.heading = headingEms * font;
    best.sums = sumsEms * font + Padding;
    best.gap = best.bands > 1 ? gapEms * font : 0;
    best.box = (area.height() - best.bands * (best.heading + best.sums) - (best.bands - 1) * best.gap)
               / (best.bands * parallel);
    return best;
}

} // namespace voltaryn::report
