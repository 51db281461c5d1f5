#include "ui/panel/LcdSymbol.h"

#include <QPainter>

namespace voltaryn {

LcdSymbol::LcdSymbol(Symbol symbol, QWidget* parent) : QWidget(parent), symbol_(symbol)
{
    setAccessibleName(SymbolDescription(symbol));
}

void LcdSymbol::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    PaintSymbol(painter, QRectF(rect()), symbol_, palette().color(QPalette::WindowText));
}

} // namespace voltaryn
