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

QRect BesideFrame(const QRect& anchor, QSize wanted, int minimumWidth, const QRect& available, int gap)
{
    QSize size = wanted.boundedTo(available.size());
    const int rightRoom = available.right() - anchor.right() - gap;
    const int leftRoom = anchor.left() - available.left() - gap;
    const bool right = size.width() <= rightRoom || (size.width() > leftRoom && rightRoom >= leftRoom);
    const int room = right ? rightRoom : leftRoom;
    if (size.width() > room && room >= minimumWidth)
        size.setWidth(room);
    const int left = right ? std::min(anchor.right() + 1 + gap, available.right() + 1 - size.width())
                           : std::max(anchor.left() - gap - size.width(), available.left());
    return FitWithin(QRect(QPoint(left, anchor.top()), size), available);
}

void ShowBeside(QWidget& window, const QWidget& anchor, QSize wanted)
{
    const QScreen* screen = anchor.screen();
    if (screen == nullptr) {
        window.show();
        return;
    }
    QSize decorations = anchor.frameGeometry().size() - anchor.size();
    const QRect frame = BesideFrame(anchor.frameGeometry(), window.sizeHint().expandedTo(wanted) + decorations,
                                    window.minimumSizeHint().width() + decorations.width(),
                                    screen->availableGeometry());
    window.resize(frame.size() - decorations);
    window.move(frame.topLeft());
    window.show();
}

void BringForward(QWidget& window)
{
    window.show();
    window.raise();
    window.activateWindow();
}

} // namespace voltaryn
