#pragma once

#include "ui/panel/Symbol.h"

#include <QAbstractButton>
#include <QColor>

namespace voltaryn {

// The picture of one of the meter's own keys, with its printed legend: a button, so a click, or
// Space while it has the keyboard focus, is a press of the key. Tab reaches it; the focused key
// is ringed in the palette's highlight colour.
class KeyCap : public QAbstractButton {
    Q_OBJECT
public:
    KeyCap(const QColor& face, Symbol legend, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor face_;
    Symbol legend_;
};

} // namespace voltaryn
