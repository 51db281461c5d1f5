#pragma once

#include <QWidget>

namespace voltaryn {

// The picture of the meter's body behind the display elements: the case, the LCD window with its
// glass, the key well and the housing of the range switch with a tick at each position.
class MeterBody : public QWidget {
    Q_OBJECT
public:
    explicit MeterBody(QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace voltaryn
