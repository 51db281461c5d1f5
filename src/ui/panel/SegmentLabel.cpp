#include "ui/panel/SegmentLabel.h"

#include "ui/panel/LcdFonts.h"

#include <QPainter>

namespace voltaryn {

SegmentLabel::SegmentLabel(int cells, QWidget* parent) : QLabel(parent), cells_(cells) {}

void SegmentLabel::ShowCharacters(const std::string& characters)
{
    setText(QString::fromStdString(characters).remove(QChar(0)));
}

void SegmentLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setFont(font());
    const QRect area = contentsRect();
    const QColor ink = palette().color(QPalette::WindowText);
    QString shown = text();
    if (SegmentFontIsDseg()) {
        QColor unlit = ink;
        unlit.setAlphaF(0.07f);
        painter.setPen(unlit);
        painter.drawText(area, static_cast<int>(alignment()), QString(cells_, QLatin1Char('8')));
        shown.replace(QLatin1Char(' '), QLatin1Char('!'));
    }
    painter.setPen(ink);
    painter.drawText(area, static_cast<int>(alignment()), shown);
}

} // namespace voltaryn
