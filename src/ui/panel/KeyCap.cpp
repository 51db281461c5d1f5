#include "ui/panel/KeyCap.h"

#include <QLinearGradient>
#include <QPainter>

namespace voltaryn {

KeyCap::KeyCap(const QColor& face, Symbol legend, QWidget* parent)
    : QAbstractButton(parent), face_(face), legend_(legend)
{
    setAccessibleName(tr("%1 key").arg(SymbolDescription(legend)));
    setFocusPolicy(Qt::StrongFocus);
}

void KeyCap::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF area(rect());
    const double shadow = area.height() * 0.08;
    const QRectF cap = area.adjusted(1, 1, -1, -1 - shadow);
    const double radius = cap.height() * 0.3;

    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 140));
    painter.drawRoundedRect(cap.translated(0, shadow), radius, radius);

    QLinearGradient shading(cap.topLeft(), cap.bottomLeft());
    shading.setColorAt(0, face_.lighter(135));
    shading.setColorAt(1, face_.darker(115));
    painter.setPen(QPen(face_.darker(170), 1));
    painter.setBrush(shading);
    painter.drawRoundedRect(cap, radius, radius);

    const double size = cap.height() * 0.6;
    QRectF box(0, 0, size, size);
    box.moveCenter(cap.center());
    // The legend is printed light on a dark key and dark on a light one.
    const QColor ink = face_.lightness() < 128 ? QColor(0xee, 0xee, 0xee) : QColor(0x22, 0x26, 0x2b);
    PaintSymbol(painter, box, legend_, ink);

    if (hasFocus()) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(cap.adjusted(-0.5, -0.5, 0.5, 0.5), radius, radius);
    }
}

} // namespace voltaryn
