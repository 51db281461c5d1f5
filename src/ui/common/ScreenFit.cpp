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

} // namespace voltaryn
