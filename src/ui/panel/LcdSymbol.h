#pragma once

#include "ui/panel/Symbol.h"

#include <QWidget>

namespace voltaryn {

// One drawn element of the LCD (a unit letter, a symbol, a point or a minus sign) in the
// palette's text colour. Lit means visible.
class LcdSymbol : public QWidget {
    Q_OBJECT
public:
    LcdSymbol(Symbol symbol, QWidget* parent);

    Symbol Kind() const { return symbol_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Symbol symbol_;
};

} // namespace voltaryn
