#pragma once

#include <QRect>

class QWidget;

namespace voltaryn {

// The frame moved, and shrunk where it is larger than `available`, so that it lies wholly within.
QRect FitWithin(QRect frame, const QRect& available);

// Moves a top-level window, and shrinks it if need be, so that its frame with the title bar lies
// wholly on the screen `anchor` is on. Until the window manager has framed the window, the
// anchor's own frame stands in for the window's.
void KeepOnScreen(QWidget& window, const QWidget& anchor);

} // namespace voltaryn
