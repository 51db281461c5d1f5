#include "ui/panel/RangeKnob.h"

#include "ui/panel/FrontPanelLayout.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

#include <algorithm>

namespace voltaryn {

RangeKnob::RangeKnob(int position, QWidget* parent) : QWidget(parent), position_(position) {}

void RangeKnob::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const double r = std::min(width(), height()) * 0.4;
    painter.translate(QRectF(rect()).center());

    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 120));
    painter.drawEllipse(QPointF(0, r * 0.05), r * 1.03, r * 1.03);

    QRadialGradient dome(QPointF(-r * 0.35, -r * 0.4), r * 1.6);
    dome.setColorAt(0, QColor(0x6a, 0x70, 0x78));
    dome.setColorAt(1, QColor(0x25, 0x28, 0x2d));
    painter.setPen(QPen(QColor(0x70, 0x76, 0x7e), r * 0.03));
    painter.setBrush(dome);
    painter.drawEllipse(QPointF(0, 0), r, r);

    // The grip bar across the knob, lit from above whichever way it points.
    painter.rotate(-layout::RangeAngle(position_));
    QLinearGradient grip(QPointF(0, -r * 0.2), QPointF(0, r * 0.2));
    grip.setColorAt(0, QColor(0x7c, 0x82, 0x8a));
    grip.setColorAt(1, QColor(0x33, 0x37, 0x3d));
    painter.setPen(QPen(QColor(0x1c, 0x1e, 0x22), r * 0.025));
    painter.setBrush(grip);
    painter.drawRoundedRect(QRectF(-r * 0.92, -r * 0.19, r * 1.84, r * 0.38), r * 0.15, r * 0.15);

    painter.setPen(QPen(QColor(0xf4, 0xf4, 0xf4), r * 0.09, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(r * 0.35, 0), QPointF(r * 0.8, 0));
}

} // namespace voltaryn
