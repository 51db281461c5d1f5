#include "ui/panel/Symbol.h"

#include "ui/panel/LcdFonts.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace voltaryn {
namespace {

// The largest rectangle of the given width:height ratio centred in the box.
QRectF Fit(const QRectF& box, double aspect)
{
    const double height = std::min(box.height(), box.width() / aspect);
    QRectF fitted(0, 0, height * aspect, height);
    fitted.moveCenter(box.center());
    return fitted;
}

// The text's outline, scaled to fill the box and centred in it.
void FillText(QPainter& painter, const QRectF& box, const QString& text, const QColor& ink)
{
    QPainterPath path;
    path.addText(0, 0, LabelFont(100), text);
    const QRectF outline = path.boundingRect();
    const double scale = std::min(box.width() / outline.width(), box.height() / outline.height());
    QTransform transform;
    transform.translate(box.center().x(), box.center().y());
    transform.scale(scale, scale);
    transform.translate(-outline.center().x(), -outline.center().y());
    painter.fillPath(transform.map(path), ink);
}

QPen Stroke(const QColor& ink, double width)
{
    return {ink, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin};
}

void PaintBoxedLetter(QPainter& painter, const QRectF& box, const QString& letter, const QColor& ink)
{
    const QRectF square = Fit(box, 1.0);
    const double pen = square.height() * 0.1;
    painter.setPen(Stroke(ink, pen));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(square.adjusted(pen / 2, pen / 2, -pen / 2, -pen / 2));
    const double inset = square.height() * 0.24;
    FillText(painter, square.adjusted(inset, inset, -inset, -inset), letter, ink);
}

void PaintRing(QPainter& painter, const QRectF& box, const QColor& ink)
{
    const QRectF square = Fit(box, 1.0);
    const double pen = square.height() * 0.16;
    painter.setPen(Stroke(ink, pen));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(square.adjusted(pen / 2, pen / 2, -pen / 2, -pen / 2));
}

void PaintBeeper(QPainter& painter, const QRectF& box, const QColor& ink)
{
    const QRectF area = Fit(box, 1.3);
    const QPointF centre = area.center();
    const double unit = area.height();
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink);
    painter.drawEllipse(centre, unit * 0.13, unit * 0.13);
    painter.setPen(Stroke(ink, unit * 0.09));
    painter.setBrush(Qt::NoBrush);
    for (const double radius : {unit * 0.3, unit * 0.5}) {
        const QRectF circle(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
        painter.drawArc(circle, -40 * 16, 80 * 16);   // right-hand arcs
        painter.drawArc(circle, 140 * 16, 80 * 16);   // left-hand arcs
    }
}

void PaintBattery(QPainter& painter, const QRectF& box, const QColor& ink)
{
    const QRectF area = Fit(box, 1.7);
    const double pen = area.height() * 0.09;
    const QRectF body(area.left() + pen / 2, area.top() + pen / 2, area.width() * 0.9 - pen,
                      area.height() - pen);
    painter.setPen(Stroke(ink, pen));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(body, pen, pen);
    const double terminalHeight = area.height() * 0.4;
    painter.fillRect(QRectF(body.right() + pen / 2, area.center().y() - terminalHeight / 2,
                            area.right() - body.right() - pen / 2, terminalHeight),
                     ink);
    const double inset = area.height() * 0.24;
    FillText(painter, body.adjusted(inset, inset, -inset, -inset), QStringLiteral("BT"), ink);
}

// A segment of an LCD digit: a bar with pointed ends.
void PaintBar(QPainter& painter, const QRectF& box, const QColor& ink)
{
    const double tip = std::min(box.height() / 2, box.width() / 4);
    const double middle = box.center().y();
    const QPointF corners[] = {
        {box.left() + tip, box.top()},     {box.right() - tip, box.top()},
        {box.right(), middle},             {box.right() - tip, box.bottom()},
        {box.left() + tip, box.bottom()},  {box.left(), middle},
    };
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink);
    painter.drawPolygon(corners, 6);
}

// An arrow drawn pointing right, then turned by the given angle (clockwise, in degrees).
void PaintArrow(QPainter& painter, const QRectF& box, double angle, const QColor& ink)
{
    const QRectF square = Fit(box, 1.0);
    const double s = square.width();
    painter.save();
    painter.translate(square.center());
    painter.rotate(angle);
    painter.translate(-s / 2, -s / 2);
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink);
    painter.drawRect(QRectF(s * 0.12, s * 0.4, s * 0.45, s * 0.2));
    const QPointF head[] = {{s * 0.5, s * 0.14}, {s * 0.9, s * 0.5}, {s * 0.5, s * 0.86}};
    painter.drawPolygon(head, 3);
    painter.restore();
}

} // namespace

void PaintSymbol(QPainter& painter, const QRectF& box, Symbol symbol, const QColor& ink)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    switch (symbol) {
    case Symbol::Milli: FillText(painter, box, QStringLiteral("m"), ink); break;
    case Symbol::Volt: FillText(painter, box, QStringLiteral("V"), ink); break;
    case Symbol::Ohm: FillText(painter, box, QStringLiteral("Ω"), ink); break;
    case Symbol::Amp: FillText(painter, box, QStringLiteral("A"), ink); break;
    case Symbol::AmpHour: FillText(painter, box, QStringLiteral("Ah"), ink); break;
    case Symbol::Celsius: FillText(painter, box, QStringLiteral("°C"), ink); break;
    case Symbol::Fahrenheit: FillText(painter, box, QStringLiteral("°F"), ink); break;
    case Symbol::CelsiusOrFahrenheit: {
        const QRectF area = Fit(box, 1.0);
        const QRectF upper(area.left(), area.top(), area.width(), area.height() * 0.45);
        FillText(painter, upper, QStringLiteral("°C"), ink);
        FillText(painter, upper.translated(0, area.height() * 0.55), QStringLiteral("°F"), ink);
        break;
    }
    case Symbol::Percent: FillText(painter, box, QStringLiteral("%"), ink); break;
    case Symbol::BoxedM: PaintBoxedLetter(painter, box, QStringLiteral("M"), ink); break;
    case Symbol::BoxedR: PaintBoxedLetter(painter, box, QStringLiteral("R"), ink); break;
    case Symbol::Ring: PaintRing(painter, box, ink); break;
    case Symbol::Beeper: PaintBeeper(painter, box, ink); break;
    case Symbol::Battery: PaintBattery(painter, box, ink); break;
    case Symbol::Dot:
        painter.setPen(Qt::NoPen);
        painter.setBrush(ink);
        painter.drawEllipse(Fit(box, 1.0));
        break;
    case Symbol::Bar: PaintBar(painter, box, ink); break;
    case Symbol::ArrowRight: PaintArrow(painter, box, 0, ink); break;
    case Symbol::ArrowDown: PaintArrow(painter, box, 90, ink); break;
    case Symbol::ArrowLeft: PaintArrow(painter, box, 180, ink); break;
    case Symbol::ArrowUp: PaintArrow(painter, box, 270, ink); break;
    }
    painter.restore();
}

QString SymbolDescription(Symbol symbol)
{
    switch (symbol) {
    case Symbol::Milli: return QStringLiteral("m");
    case Symbol::Volt: return QStringLiteral("V");
    case Symbol::Ohm: return QStringLiteral("Ω");
    case Symbol::Amp: return QStringLiteral("A");
    case Symbol::AmpHour: return QStringLiteral("Ah");
    case Symbol::Celsius: return QStringLiteral("°C");
    case Symbol::Fahrenheit: return QStringLiteral("°F");
    case Symbol::CelsiusOrFahrenheit: return QStringLiteral("°C / °F");
    case Symbol::Percent: return QStringLiteral("%");
    case Symbol::BoxedM: return QStringLiteral("M");
    case Symbol::BoxedR: return QStringLiteral("R");
    case Symbol::Ring: return QStringLiteral("Circle");
    case Symbol::Beeper: return QStringLiteral("Beeper");
    case Symbol::Battery: return QStringLiteral("Battery");
    case Symbol::Dot: return QStringLiteral("Point");
    case Symbol::Bar: return QStringLiteral("Minus");
    case Symbol::ArrowLeft: return QStringLiteral("Left");
    case Symbol::ArrowDown: return QStringLiteral("Down");
    case Symbol::ArrowUp: return QStringLiteral("Up");
    case Symbol::ArrowRight: return QStringLiteral("Right");
    }
    return {};
}

} // namespace voltaryn
