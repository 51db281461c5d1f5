#pragma once

#include "cells/PackMap.h"

#include <QPageLayout>
#include <QPainter>
#include <QString>

namespace voltaryn::report {

// Whose pack a sheet shows.
struct SheetTitle {
    QString pack;  // the name it was saved as; empty when it is not saved
    QString batch;
};

// The build sheet a builder lays next to the cells: the pack's name and batch, S×P and its
// figures, then the series groups as columns from the pack's − terminal (group 1) to its +
// (group S), each with its cells' boxes (full ID, mAh and mΩ on the colour of the cell's
// deviation from the mean capacity) and its capacity sum and parallel resistance, scaled to fill
// `area`.
void PaintPackSheet(QPainter& painter, const QRectF& area, const SheetTitle& title, const cells::PackMap& map);

// The orientation of an A4 page on which the sheet of `map` draws its cells largest.
QPageLayout::Orientation SheetOrientation(const cells::PackMap& map);

// The sheet alone as a one-page PDF; throws a ReportError when the file cannot be written.
void WritePackSheet(const QString& file, const SheetTitle& title, const cells::PackMap& map);

} // namespace voltaryn::report
