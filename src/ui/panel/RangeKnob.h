#pragma once

#include <QWidget>

namespace voltaryn {

// The picture of the rotary range switch's knob, its pointer set to one range position.
class RangeKnob : public QWidget {
    Q_OBJECT
public:
    RangeKnob(int position, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int position_;
};

} // namespace voltaryn
