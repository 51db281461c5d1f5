#pragma once

#include <QRect>
#include <QSize>

class QWidget;

namespace voltaryn {

// The frame moved, and shrunk where it is larger than `available`, so that it lies wholly within.
QRect FitWithin(QRect frame, const QRect& available);

// Moves a top-level window, and shrinks it if need be, so that its frame with the title bar lies
// wholly on the screen `anchor` is on. Until the window manager has framed the window, the
// anchor's own frame stands in for the window's.
void KeepOnScreen(QWidget& window, const QWidget& anchor);

// Where a window of `wanted` size opens beside the frame `anchor`, top-aligned with it: against
// its right edge where it fits there, else against its left edge, else on the side with more
// room; shrunk to `available` if need be, and overlapping the anchor only where the screen is too
// narrow for both.
QRect BesideFrame(const QRect& anchor, QSize wanted, const QRect& available);

// Resizes a top-level window to `wanted` and moves it beside `anchor`, on anchor's screen.
void PlaceBeside(QWidget& window, const QWidget& anchor, QSize wanted);

} // namespace voltaryn
