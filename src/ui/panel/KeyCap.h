#pragma once

#include "ui/panel/Symbol.h"

#include <QColor>
#include <QWidget>

namespace voltaryn {

// The picture of one of the meter's own keys, with its printed legend. A click on it
// (press and release on the key) is a click of the key.
class KeyCap : public QWidget {
    Q_OBJECT
public:
    KeyCap(const QColor& face, Symbol legend, QWidget* parent);

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QColor face_;
    Symbol legend_;
};

} // namespace voltaryn
