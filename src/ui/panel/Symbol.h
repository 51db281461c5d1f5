#pragma once

#include <QColor>
#include <QRectF>
#include <QString>

class QPainter;

namespace voltaryn {

// The vector shapes of the front panel: the LCD's unit letters and symbols, its points and minus
// bars, and the arrows of the keys.
enum class Symbol {
    Milli,           // m
    Volt,            // V
    Ohm,             // Ω
    Amp,             // A
    AmpHour,         // Ah
    Celsius,         // °C
    Fahrenheit,      // °F
    CelsiusOrFahrenheit,
    Percent,         // %
    BoxedM,
    BoxedR,
    Ring,            // small circle
    Beeper,          // a dot between sound arcs
    Battery,         // battery outline with BT
    Dot,             // decimal point
    Bar,             // minus sign or rule, shaped like an LCD segment
    ArrowLeft,
    ArrowDown,
    ArrowUp,
    ArrowRight,
};

// Draws the symbol to fill the box, keeping its proportions and centred, in the ink colour.
void PaintSymbol(QPainter& painter, const QRectF& box, Symbol symbol, const QColor& ink);

// A short description of the symbol for accessibility tools and tool tips.
QString SymbolDescription(Symbol symbol);

} // namespace voltaryn
