#include "ui/common/ScreenFit.h"

#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace voltaryn {

QRect FitWithin(QRect frame, const QRect& available)
{
    frame.setSize(frame.size().boundedTo(available.size()));
    frame.moveLeft(std::clamp(frame.left(), available.left(), available.right() - frame.width() + 1));
    frame.moveTop(std::clamp(frame.top(), available.top(), available.bottom() - frame.height() + 1));
    return frame;
}

QRect BesideFrame(const QRect& anchor, QSize wanted, const QRect& available)
{
    const QSize size = wanted.boundedTo(available.size());
    const int roomRight = available.right() - anchor.right();
    const int roomLeft = anchor.left() - available.left();
    const bool right = roomRight >= size.width() || (roomLeft < size.width() && roomRight >= roomLeft);
    const int left = right ? anchor.right() + 1 : anchor.left() - size.width();
    return FitWithin(QRect(QPoint(left, anchor.top()), size), available);
}

void PlaceBeside(QWidget& window, const QWidget& anchor, QSize wanted)
{
    const QScreen* screen = anchor.screen();
    if (screen == nullptr)
        return;
    QSize decorations = window.frameGeometry().size() - window.size();
    if (decorations.isEmpty())
        decorations = anchor.frameGeometry().size() - anchor.size();
    const QRect frame = BesideFrame(anchor.frameGeometry(), wanted + decorations, screen->availableGeometry());
    window.resize(frame.size() - decorations);
    window.move(frame.topLeft());
}

void KeepOnScreen(QWidget& window, const QWidget& anchor)
{
    const QScreen* screen = anchor.screen();
    if (screen == nullptr)
        return;
    QSize decorations = window.frameGeometry().size() - window.size();
    if (decorations.isEmpty())
        decorations = anchor.frameGeometry().size() - anchor.size();
    const QRect frame(window.frameGeometry().topLeft(), window.size() + decorations);
    const QRect fitted = FitWithin(frame, screen->availableGeometry());
    if (fitted.size() != frame.size())
        window.resize(fitted.size() - decorations);
    window.move(fitted.topLeft());
}

} // namespace voltaryn
