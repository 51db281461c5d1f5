#pragma once

#include "cells/PackMap.h"

#include <QSizeF>
#include <QString>

namespace voltaryn::report {

// Where a build sheet's grid goes: the series groups as columns, left to right from the pack's −
// terminal to its +, in bands one under the other when that draws the cells larger. Each column
// holds the group's heading, its cells' boxes and its sums; a strip at each end of a band holds a
// terminal or the chain's way on to the next band. Everything is in points.
struct SheetLayout {
    int bands = 1;
    int groupsPerBand = 1;
    double font = 0;     // points, of the figures in a box
    double strip = 0;    // width of the strip at each end of a band
    double column = 0;   // width of a group
    double heading = 0;  // height of the group's heading
    double box = 0;      // height of a cell's box
    double sums = 0;     // height of the group's sums
    double gap = 0;      // between bands

    double BandHeight(int parallel) const { return heading + parallel * box + sums; }
};

// Lays the grid of `map` out in `area`: the number of bands, and so the orientation of the page,
// that gives the figures their largest size (no larger than a comfortable reading size), the
// boxes then stretched to fill the area. A cell ID longer than a usual label does not shrink the
// sheet: it is shrunk or cut on its own.
SheetLayout LayOutSheet(const QSizeF& area, const cells::PackMap& map);

// The figures as the sheet writes them: "3012 mAh", "21.30 mΩ".
QString MahText(double mah);
QString MohmText(double mohm, int decimals);
// A group's heading: "Group 3".
QString GroupText(int number);

// The width of `text` in DejaVu Sans (bold or not), in ems: at N points it is N times as wide.
double EmWidth(const QString& text, bool bold);

} // namespace voltaryn::report
