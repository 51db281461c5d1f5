#include "ui/common/Twips.h"

#include <QWidget>

#include <cmath>

namespace voltaryn {

Twips Twips::For(const QWidget& widget)
{
    return Twips(widget.logicalDpiX());
}

int Twips::ToPixels(int twips) const
{
    return static_cast<int>(std::lround(twips * pixelsPerTwip_));
}

QRect Twips::Rect(int left, int top, int width, int height) const
{
    const QPoint topLeft = Point(left, top);
    const QPoint bottomRight = Point(left + width, top + height);
    return {topLeft, QSize(bottomRight.x() - topLeft.x(), bottomRight.y() - topLeft.y())};
}

} // namespace voltaryn
