#pragma once

#include <QRect>
#include <QSize>

class QWidget;

namespace voltaryn {

// The frame moved, and shrunk where it is larger than `available`, so that it lies wholly within.
QRect FitWithin(QRect frame, const QRect& available);

// Where a frame of `wanted` size goes beside the frame `anchor`, `gap` apart, within `available`:
// to its right where it fits, else to its left; where neither side has room, in the wider side's
// room when that is at least `minimum` wide, else against the screen edge on the wider side,
// covering as little of the anchor as it must. Never larger than `available`.
QRect BesideFrame(const QRect& anchor, QSize wanted, int minimumWidth, const QRect& available, int gap = 16);

// Shows a top-level window beside `anchor` (see BesideFrame), at its size hint or `wanted`,
// whichever is larger, on the screen the anchor is on.
void ShowBeside(QWidget& window, const QWidget& anchor, QSize wanted);

// Shows a top-level window, raised above the others and active.
void BringForward(QWidget& window);

// Moves a top-level window, and shrinks it if need be, so that its frame with the title bar lies
// wholly on the screen `anchor` is on. Until the window manager has framed the window, the
// anchor's own frame stands in for the window's.
void KeepOnScreen(QWidget& window, const QWidget& anchor);

} // namespace voltaryn
