#include "ui/panel/MeterBody.h"

#include "ui/panel/FrontPanelLayout.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace voltaryn {
namespace {

QRectF ToRectF(const layout::TwipRect& r)
{
    return {QPointF(r.left, r.top), QSizeF(r.width, r.height)};
}

QLinearGradient VerticalGradient(const QRectF& area, const QColor& top, const QColor& bottom)
{
    QLinearGradient gradient(area.topLeft(), area.bottomLeft());
    gradient.setColorAt(0, top);
    gradient.setColorAt(1, bottom);
    return gradient;
}

void PaintCase(QPainter& painter)
{
    const QRectF body = ToRectF(layout::Body);
    painter.setPen(QPen(QColor(0x5c, 0x62, 0x6a), 24));
    painter.setBrush(VerticalGradient(body, QColor(0x40, 0x45, 0x4c), QColor(0x25, 0x28, 0x2d)));
    painter.drawRoundedRect(body.adjusted(12, 12, -12, -12), 330, 330);
    painter.setPen(QPen(QColor(0x17, 0x19, 0x1c), 18));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(body.adjusted(100, 100, -100, -100), 250, 250);
}

void PaintLcdWindow(QPainter& painter)
{
    const QRectF glass = ToRectF(layout::LcdGlass);
    painter.setPen(QPen(QColor(0x5a, 0x60, 0x66), 12));
    painter.setBrush(QColor(0x12, 0x14, 0x17));
    painter.drawRoundedRect(glass.adjusted(-90, -90, 90, 90), 130, 130);

    painter.setPen(Qt::NoPen);
    painter.setBrush(VerticalGradient(glass, QColor(0xcb, 0xd5, 0xb9), QColor(0xad, 0xba, 0x9b)));
    painter.drawRoundedRect(glass, 40, 40);
    // The bezel's shadow on the glass, along its upper and left edges.
    const QRectF shadowTop(glass.left(), glass.top(), glass.width(), 70);
    painter.setBrush(VerticalGradient(shadowTop, QColor(0, 0, 0, 60), QColor(0, 0, 0, 0)));
    painter.drawRect(shadowTop);
    QLinearGradient shadowLeft(glass.topLeft(), glass.topLeft() + QPointF(50, 0));
    shadowLeft.setColorAt(0, QColor(0, 0, 0, 40));
    shadowLeft.setColorAt(1, QColor(0, 0, 0, 0));
    painter.setBrush(shadowLeft);
    painter.drawRect(QRectF(glass.left(), glass.top(), 50, glass.height()));
}

void PaintKeyWell(QPainter& painter)
{
    const QRectF well(360, 3960, 3960, 1200);
    painter.setPen(QPen(QColor(0x1a, 0x1c, 0x20), 15));
    painter.setBrush(QColor(0x2c, 0x30, 0x35));
    painter.drawRoundedRect(well, 150, 150);
}

void PaintSwitchHousing(QPainter& painter)
{
    const QRectF knob = ToRectF(layout::Knob);
    const QPointF centre = knob.center();
    const double radius = std::min(knob.width(), knob.height()) * 0.47;
    painter.setPen(QPen(QColor(0x59, 0x5f, 0x67), 20));
    painter.setBrush(QColor(0x1a, 0x1c, 0x20));
    painter.drawEllipse(centre, radius, radius);

    painter.setPen(QPen(QColor(0xd8, 0xdc, 0xe0), 30, Qt::SolidLine, Qt::RoundCap));
    for (int position = 0; position < layout::RangePositionCount; ++position) {
        const double angle = layout::RangeAngle(position) * std::numbers::pi / 180.0;
        const QPointF direction(std::cos(angle), -std::sin(angle));
        painter.drawLine(centre + direction * (radius + 45), centre + direction * (radius + 135));
    }
}

} // namespace

MeterBody::MeterBody(QWidget* parent) : QWidget(parent)
{
    setAccessibleName(tr("Meter"));
}

void MeterBody::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    // Drawn in the window's client twips.
    painter.scale(width() / static_cast<double>(layout::Body.width), height() / static_cast<double>(layout::Body.height));
    painter.translate(-layout::Body.left, -layout::Body.top);
    PaintCase(painter);
    PaintLcdWindow(painter);
    PaintKeyWell(painter);
    PaintSwitchHousing(painter);
}

} // namespace voltaryn
